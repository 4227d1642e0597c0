#pragma once
#include "TextBlockStyle.h"

#include "platform/Platform.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QFontDialog;
class QPushButton;

namespace editor {

struct NamedColour {
    const char *name; // UTF-8
    ColourValue value;
};
// The 16 standard colours of the colour list, in the platform's order.
const std::array<NamedColour, 16> &standardColours();

// The system's font dialog: Qt's font page (face, style, size, underline,
// strike-out) and a colour list of the standard colours plus a custom one.
// Reports the previous colour, system colours included, unless the colour
// list was used during this opening.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget *parent = nullptr);

    // What the dialog opens with; clears the "colour touched" mark.
    void setChoice(const platform::FontChoice &choice);
    // What the dialog reports after OK.
    platform::FontChoice choice() const;

    bool colourTouched() const { return colourTouched_; }

    using ColourPicker = std::function<std::optional<QColor>(QWidget *, const QColor &)>;
    // The picker behind "Inny..."; QColorDialog unless replaced (tests).
    void setCustomColourPicker(ColourPicker picker) { picker_ = std::move(picker); }

    QFontDialog *fontPage() const { return fontPage_; }
    QComboBox *colourList() const { return colours_; }
    QPushButton *otherColourButton() const { return otherColour_; }
    QDialogButtonBox *buttons() const { return buttons_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFont(const platform::FontChoice &choice);
    void selectStyle(const QString &family, bool bold, bool italic);
    void pageFontChanged(const QFont &font);
    void showSampleColour();
    void confirmFromPage();
    void fillColourList(ColourValue current);
    void colourActivated(int index);
    void pickOtherColour();
    void addColourItem(ColourValue value, const QString &name);
    int indexOfValue(ColourValue value) const;

    QFontDialog *fontPage_;
    QComboBox *colours_;
    QPushButton *otherColour_;
    QDialogButtonBox *buttons_;
    ColourPicker picker_;
    platform::FontChoice previous_;
    QString shownFamily_;
    // The bold and italic the user has: what the dialog opened with until a
    // style is chosen. Picking another family keeps them.
    std::uint8_t slantAndWeight_ = 0;
    QString currentFamily_;
    int currentWeight_ = 0;
    bool currentItalic_ = false;
    bool settingPage_ = false;
    bool userPicksFamily_ = false;
    bool colourTouched_ = false;
};

// Opens the font dialog modally; nullopt when cancelled.
std::optional<platform::FontChoice> runFontDialog(QWidget *parent, const platform::FontChoice &current);

// Makes the real seam use this dialog for its font choices.
void installFontDialog();

} // namespace editor
