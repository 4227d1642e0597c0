#include "Thisto_f.h"
#include "RunHistory.h"

#include "platform/LocaleText.h"
#include "platform/Platform.h"
#include "platform/WidgetFactory.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int RightEdge = 303;
const QColor PanelColour(0xF8, 0xF8, 0xF8);

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    QLabel *label = widgets::label(parent, name, left, top, text);
    widgets::setTextColour(label, widgets::Navy);
    return label;
}

} // namespace

Thisto_f::Thisto_f(QWidget *parent) : QWidget(parent, widgets::windowWithoutSystemMenu())
{
    setObjectName(QStringLiteral("histo_f"));
    setWindowTitle(QStringLiteral("Historia"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    widgets::setWindowColour(this, QColor(0xF4, 0xF4, 0xF4));
    // 370 × 263 outside; the client area is what is left inside the frame.
    resize(362, 236);

    Panel1 = widgets::loweredPanel(this, "Panel1", QRect(8, 8, 329, 118), PanelColour);
    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("Data ostatniego uruchomienia"), 16, 8);
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("Czas ostatniego uruchomienia"), 16, 27);
    Label3 = makeLabel(Panel1, "Label3", QStringLiteral("Licznik uruchomień"), 16, 58);
    Label7 = makeLabel(Panel1, "Label7", QStringLiteral("Lokalizacja"), 16, 77);
    Label4 = makeLabel(Panel1, "Label4", QString(), 0, 8);
    Label5 = makeLabel(Panel1, "Label5", QString(), 0, 27);
    Label6 = makeLabel(Panel1, "Label6", QString(), 0, 58);
    Label8 = makeLabel(Panel1, "Label8", QString(), 0, 77);
    for (QLabel *label : {Label4, Label5, Label6, Label8}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setRightAligned(label, QString());
    }

    Panel2 = widgets::loweredPanel(this, "Panel2", QRect(8, 132, 329, 53), PanelColour);

    SpeedButton1 = widgets::flatButton(this, "SpeedButton1", QRect(224, 199, 113, 22), QStringLiteral("Powrót"));
    connect(SpeedButton1, &QToolButton::clicked, this, &Thisto_f::SpeedButton1Click);

    Label13 = widgets::label(this, "Label13", 8, 205, QStringLiteral("00:00:00"), QFont(QStringLiteral("Tahoma"), 10),
                             widgets::Silver);

    // The clock runs from creation to the end, shown or not.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Thisto_f::Timer1Timer);
    Timer1->start();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Filled once at creation as well; a failure is reported and the window
    // still exists, to be opened again from the menu.
    try {
        FormCreate();
    } catch (const std::exception &error) {
        platform::reportException(this, error);
    }
}

void Thisto_f::PobierzDane()
{
    modul_hist::PobierzDane();
}

void Thisto_f::ZapiszUruchomienia()
{
    modul_hist::ZapiszUruchomienia();
}

void Thisto_f::setRightAligned(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
    label->move(RightEdge - label->width(), label->y());
}

void Thisto_f::FormCreate()
{
    modul_hist::loadRecordImage();
    modul_hist::RunHistoryState &s = modul_hist::state();
    setRightAligned(Label4, modul_hist::textOf(s.image.runDate));
    setRightAligned(Label5, modul_hist::textOf(s.image.runTime));
    setRightAligned(Label6, modul_hist::textOf(s.image.runCount));

    Label8->setToolTip(s.workingDirectory);
    if (s.workingDirectory.size() <= modul_hist::LocationWidth) {
        setRightAligned(Label8, s.workingDirectory);
    } else {
        s.shortLocation.clear();
        s.shortLocation = modul_hist::shortenedLocation(s.workingDirectory);
        setRightAligned(Label8, s.shortLocation);
    }
}

bool Thisto_f::openFromMenu()
{
    setEnabled(true);
    try {
        FormCreate();
    } catch (const std::exception &error) {
        platform::reportException(this, error);
        return false;
    }
    show();
    return true;
}

void Thisto_f::Timer1Timer()
{
    const QString text = platform::longTimeText(platform::services().now().time());
    if (Label13->text() != text) {
        Label13->setText(text);
        Label13->adjustSize();
    }
}

void Thisto_f::SpeedButton1Click()
{
    setEnabled(false);
    hide();
    close();
}
