#include "Thisto_f.h"
#include "RunHistory.h"

#include "platform/LocaleText.h"
#include "platform/Platform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int RightEdge = 303;
const QColor Navy(0x00, 0x00, 0x80);
const QColor PanelColour(0xF8, 0xF8, 0xF8);

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Navy);
    label->setPalette(palette);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFrame *makePanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, PanelColour);
    panel->setPalette(palette);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

Thisto_f::Thisto_f(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("histo_f"));
    setWindowTitle(QStringLiteral("Historia"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xF4, 0xF4, 0xF4));
    setPalette(palette);
    // 370 × 263 outside; the client area is what is left inside the frame.
    resize(362, 236);

    Panel1 = makePanel(this, "Panel1", QRect(8, 8, 329, 118));
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

    Panel2 = makePanel(this, "Panel2", QRect(8, 132, 329, 53));

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Powrót"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setGeometry(224, 199, 113, 22);
    connect(SpeedButton1, &QToolButton::clicked, this, &Thisto_f::SpeedButton1Click);

    Label13 = new QLabel(QStringLiteral("00:00:00"), this);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setFont(QFont(QStringLiteral("Tahoma"), 10));
    QPalette clockPalette = Label13->palette();
    clockPalette.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    Label13->setPalette(clockPalette);
    Label13->move(8, 205);
    Label13->adjustSize();

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
