#include "FontDialog.h"
#include "Colours.h"

#include "platform/QtPlatform.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <QScopedValueRollback>

#include <climits>
#include <cstdlib>

namespace editor {
namespace {

// The dialog sets no size limits of its own: the typed size goes far past
// Qt's 1..512 (sizes read from a file may be larger still and are shown).
constexpr int LargestSize = 9999;

constexpr int ValueRole = Qt::UserRole;

QIcon swatch(const QColor &colour)
{
    QPixmap pixmap(20, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

QFont fontOf(const platform::FontChoice &choice)
{
    QFont font(choice.face);
    font.setPointSize(choice.size > 0 ? choice.size : 12);
    font.setBold(choice.style & FontStyle::Bold);
    font.setItalic(choice.style & FontStyle::Italic);
    font.setUnderline(choice.style & FontStyle::Underline);
    font.setStrikeOut(choice.style & FontStyle::StrikeOut);
    return font;
}

void widenSizeField(QFontDialog *page)
{
    const auto edits = page->findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits)
        if (edit->validator() && edit->validator()->inherits("QIntValidator"))
            edit->setValidator(new QIntValidator(1, LargestSize, edit));
}

QString systemColourName(ColourValue value)
{
    return (value & 0xFF) == 8 ? QStringLiteral("Kolor tekstu okna") : QStringLiteral("Kolor systemowy");
}

} // namespace

const std::array<NamedColour, 16> &standardColours()
{
    static const std::array<NamedColour, 16> colours{{
        {"Czarny", 0x000000},
        {"Kasztanowy", 0x000080},
        {"Zielony", 0x008000},
        {"Oliwkowy", 0x008080},
        {"Granatowy", 0x800000},
        {"Purpurowy", 0x800080},
        {"Zielonomodry", 0x808000},
        {"Szary", 0x808080},
        {"Srebrny", 0xC0C0C0},
        {"Czerwony", 0x0000FF},
        {"Limonkowy", 0x00FF00},
        {"Żółty", 0x00FFFF},
        {"Niebieski", 0xFF0000},
        {"Fuksja", 0xFF00FF},
        {"Morski", 0xFFFF00},
        {"Biały", 0xFFFFFF},
    }};
    return colours;
}

FontDialog::FontDialog(QWidget *parent)
    : QDialog(parent), fontPage_(new QFontDialog(this)), colours_(new QComboBox(this)),
      otherColour_(new QPushButton(QStringLiteral("&Inny..."), this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(QStringLiteral("Czcionka"));

    fontPage_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontPage_->setWindowFlags(Qt::Widget);
    fontPage_->setSizeGripEnabled(false);
    widenSizeField(fontPage_);
    // The embedded page would swallow Return and hide itself on Escape; in
    // its family and style lists it even accepts itself on Return, which
    // would leave an empty dialog. Our filters run before the page's own.
    fontPage_->installEventFilter(this);
    for (QListView *list : fontPage_->findChildren<QListView *>()) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    connect(fontPage_, &QDialog::rejected, this, &QDialog::reject);
    connect(fontPage_, &QDialog::accepted, this, &FontDialog::confirmFromPage);
    connect(fontPage_, &QFontDialog::currentFontChanged, this, &FontDialog::pageFontChanged);

    auto *colourRow = new QHBoxLayout;
    auto *colourLabel = new QLabel(QStringLiteral("&Kolor:"), this);
    colourLabel->setBuddy(colours_);
    otherColour_->setAutoDefault(false);
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(colours_, 1);
    colourRow->addWidget(otherColour_);
    colourRow->addStretch(2);

    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fontPage_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons_);
    fontPage_->show();

    connect(colours_, &QComboBox::activated, this, &FontDialog::colourActivated);
    connect(otherColour_, &QPushButton::clicked, this, &FontDialog::pickOtherColour);
    picker_ = [](QWidget *parent, const QColor &initial) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, parent, QStringLiteral("Kolor"));
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };
    setChoice(platform::FontChoice{QStringLiteral("Times New Roman"), 12, 0, WindowTextColour});
}

void FontDialog::setChoice(const platform::FontChoice &choice)
{
    previous_ = choice;
    showFont(choice);
    colourTouched_ = false;
    fillColourList(choice.colour);
}

void FontDialog::showFont(const platform::FontChoice &choice)
{
    const QScopedValueRollback<bool> guard(settingPage_, true);
    QFont font = fontOf(choice);
    // A face that is not installed ("Times New Roman" on Linux) is shown as
    // the face the system draws it with, not as a generic family.
    if (!QFontDatabase::hasFamily(choice.face))
        font.setFamily(QFontInfo(font).family());
    fontPage_->setCurrentFont(font);
    shownFamily_ = fontPage_->currentFont().family();
    selectStyle(shownFamily_, choice.style & FontStyle::Bold, choice.style & FontStyle::Italic);
    slantAndWeight_ = choice.style & (FontStyle::Bold | FontStyle::Italic);
    currentFamily_ = shownFamily_;
    currentWeight_ = fontPage_->currentFont().weight();
    currentItalic_ = fontPage_->currentFont().italic();
}

void FontDialog::selectStyle(const QString &family, bool bold, bool italic)
{
    // The page matches styles by name ("Normal" is "Book" or "Regular" in
    // many families, and a miss selects whatever comes first), so name the
    // face's own style that has the wanted weight and slant.
    const QScopedValueRollback<bool> guard(settingPage_, true);
    const QStringList styles = QFontDatabase::styles(family);
    const int wantedWeight = bold ? QFont::Bold : QFont::Normal;
    QString best;
    int bestScore = INT_MAX;
    for (const QString &style : styles) {
        const QFont candidate = QFontDatabase::font(family, style, 12);
        int score = std::abs(candidate.weight() - wantedWeight) + int(style.size());
        if ((candidate.weight() > QFont::Normal) != bold)
            score += 100000;
        if (candidate.italic() != italic)
            score += 100000;
        if (style.contains(QLatin1String("Condensed"), Qt::CaseInsensitive)
            || style.contains(QLatin1String("Narrow"), Qt::CaseInsensitive))
            score += 10000;
        if (score < bestScore) {
            bestScore = score;
            best = style;
        }
    }
    if (best.isEmpty())
        return;
    QFont font = fontPage_->currentFont();
    font.setFamily(family);
    font.setStyleName(best);
    font.setWeight(QFontDatabase::font(family, best, 12).weight());
    font.setItalic(QFontDatabase::font(family, best, 12).italic());
    fontPage_->setCurrentFont(font);
}

void FontDialog::pageFontChanged(const QFont &font)
{
    if (settingPage_)
        return;
    if (userPicksFamily_ && font.family() != currentFamily_) {
        // The page would carry over the style by name and may land on an
        // oblique or bold face; keep the user's weight and slant instead.
        currentFamily_ = font.family();
        selectStyle(currentFamily_, slantAndWeight_ & FontStyle::Bold, slantAndWeight_ & FontStyle::Italic);
    } else if (font.family() != currentFamily_ || font.weight() != currentWeight_ || font.italic() != currentItalic_) {
        // A style (or a whole font) was chosen: its weight and slant count.
        currentFamily_ = font.family();
        slantAndWeight_ = (font.weight() > QFont::Normal ? FontStyle::Bold : 0) | (font.italic() ? FontStyle::Italic : 0);
    }
    currentWeight_ = fontPage_->currentFont().weight();
    currentItalic_ = fontPage_->currentFont().italic();
}

platform::FontChoice FontDialog::choice() const
{
    const QFont font = fontPage_->currentFont();
    platform::FontChoice out;
    // A face the page could only approximate stays as it was named, unless
    // another face was picked.
    out.face = font.family() == shownFamily_ ? previous_.face : font.family();
    out.size = font.pointSize();
    // Bold and italic the face has no style for are kept until the user
    // chooses a style.
    out.style = static_cast<std::uint8_t>(slantAndWeight_ | (font.underline() ? FontStyle::Underline : 0)
                                          | (font.strikeOut() ? FontStyle::StrikeOut : 0));
    out.colour = colourTouched_ ? colours_->currentData(ValueRole).toUInt() : previous_.colour;
    return out;
}

void FontDialog::fillColourList(ColourValue current)
{
    colours_->clear();
    for (const NamedColour &c : standardColours())
        addColourItem(c.value, QString::fromUtf8(c.name));
    if (indexOfValue(current) < 0)
        addColourItem(current, (current >> 24) == 0xFF ? systemColourName(current) : QStringLiteral("Własny"));
    colours_->setCurrentIndex(indexOfValue(current));
    showSampleColour();
}

void FontDialog::showSampleColour()
{
    auto *sample = fontPage_->findChild<QLineEdit *>(QStringLiteral("qt_fontDialog_sampleEdit"));
    if (!sample)
        return;
    QPalette palette = sample->palette();
    palette.setColor(QPalette::Text, toQColor(colours_->currentData(ValueRole).toUInt(), this->palette()));
    sample->setPalette(palette);
}

void FontDialog::confirmFromPage()
{
    // Should the page still accept itself, it stays shown and the dialog
    // takes it as OK.
    fontPage_->show();
    buttons_->button(QDialogButtonBox::Ok)->click();
}

int FontDialog::indexOfValue(ColourValue value) const
{
    return colours_->findData(QVariant::fromValue<uint>(value), ValueRole);
}

void FontDialog::addColourItem(ColourValue value, const QString &name)
{
    colours_->addItem(swatch(toQColor(value, palette())), name, QVariant::fromValue<uint>(value));
}

void FontDialog::colourActivated(int)
{
    colourTouched_ = true;
    showSampleColour();
}

void FontDialog::pickOtherColour()
{
    const ColourValue shown = colours_->currentData(ValueRole).toUInt();
    const std::optional<QColor> picked = picker_(this, toQColor(shown, palette()));
    if (!picked)
        return;
    const ColourValue value = fromQColor(*picked);
    if (indexOfValue(value) < 0)
        addColourItem(value, QStringLiteral("Własny"));
    colours_->setCurrentIndex(indexOfValue(value));
    colourTouched_ = true;
    showSampleColour();
}

bool FontDialog::eventFilter(QObject *watched, QEvent *event)
{
    const bool inPage = watched == fontPage_
                        || (watched->isWidgetType() && fontPage_->isAncestorOf(static_cast<QWidget *>(watched)));
    if (inPage && watched != fontPage_) {
        // A click or key in a list is the user's own pick; what it changes
        // happens while the event is handled.
        const QEvent::Type type = event->type();
        const bool dragging = type == QEvent::MouseMove && static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
        if (type == QEvent::MouseButtonPress || dragging || type == QEvent::KeyPress) {
            userPicksFamily_ = true;
            QTimer::singleShot(0, this, [this] { userPicksFamily_ = false; });
        }
    }
    if (inPage && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
        const bool plain = key->modifiers() == Qt::NoModifier
                           || (key->modifiers() == Qt::KeypadModifier && key->key() == Qt::Key_Enter);
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            buttons_->button(QDialogButtonBox::Ok)->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<platform::FontChoice> runFontDialog(QWidget *parent, const platform::FontChoice &current)
{
    FontDialog dialog(parent);
    dialog.setChoice(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void installFontDialog()
{
    platform::QtPlatform::setFontDialogRunner(&runFontDialog);
}

} // namespace editor
