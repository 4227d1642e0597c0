// The 10 ms tick: clock, preview captions and positions, margins into the
// document. Every assignment is skipped when it would change nothing, so an
// idle tick paints nothing.
#include "TForm1.h"
#include "editor/PreviewRules.h"
#include "platform/LocaleText.h"
#include "platform/SpinEdit.h"
#include "platform/WidgetFactory.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using widgets::SelfSizingLabel;

void setCaption(SelfSizingLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void setShown(QLabel *label, bool shown)
{
    if (label->isVisibleTo(label->parentWidget()) != shown)
        label->setVisible(shown);
}

void place(QLabel *label, int top, int left)
{
    if (label->y() != top)
        label->move(label->x(), top);
    if (label->x() != left)
        label->move(left, label->y());
}

} // namespace

void TForm1::Timer1Timer()
{
    const QString clock = platform::longTimeText(platform::services().now().time());
    if (Panel9->text() != clock)
        Panel9->setText(clock);

    setCaption(Label18, dla->text().isEmpty() ? QStringLiteral("Dla") : dla->text());

    const std::vector<SelfSizingLabel *> body = bodyLabels();
    for (int k = 1; k < 6; ++k)
        setShown(body[k], !body[k]->text().isEmpty()); // the captions of the previous tick

    if (naglowek->text().isEmpty())
        setCaption(Label4, QStringLiteral("nagłówek"));
    if (Edit[0]->text().isEmpty())
        setCaption(Label8, QStringLiteral("treść"));
    if (!Edit[0]->text().isEmpty())
        setCaption(Label8, Edit[0]->text());
    for (int k = 1; k < 6; ++k)
        setCaption(body[k], Edit[k]->text());
    if (!naglowek->text().isEmpty())
        setCaption(Label4, naglowek->text());

    document_.heading.left = marginesl->value();
    document_.heading.top = marginesg->value();
    place(Label4, document_.heading.top, document_.heading.left);

    document_.body.left = ml->value();
    document_.body.top = mg->value();
    place(Label8, document_.body.top, document_.body.left);

    const std::int32_t step = editor::bodyLineStep(document_.body.size);
    for (int k = 1; k < 6; ++k)
        place(body[k], static_cast<int>(document_.body.top + qint64(k) * step), document_.body.left);

    document_.recipient.left = mal->value();
    document_.recipient.top = mag->value();
    place(Label18, document_.recipient.top, document_.recipient.left);
}
