#include "Wizyt.h"
#include "MakerContact.h"

#include "platform/LocaleText.h"
#include "platform/Platform.h"
#include "platform/EmptyWindowTitle.h"
#include "platform/WidgetFactory.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

Tform3 *form3 = nullptr;

// The pictures live in the static library's resource file, which the
// linker would drop unless something names it.
static void initCompanionResources()
{
    Q_INIT_RESOURCE(companions);
}

namespace {

// A 16-colour glyph whose bottom-left pixel's colour is see-through.
QIcon glyph(const QString &resource)
{
    QImage img = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    if (img.isNull())
        return QIcon();
    const QRgb clear = img.pixel(0, img.height() - 1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == clear)
                img.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QIcon(QPixmap::fromImage(img));
}

QToolButton *makeFlatButton(QWidget *parent, const char *name, const QString &caption, const QRect &box,
                            const QString &picture)
{
    QToolButton *b = widgets::flatButton(parent, name, box, caption, glyph(picture),
                                         widgets::pixelFont(QStringLiteral("MS Sans Serif"), 11), widgets::Grey);
    b->setIconSize(QSize(17, 17));
    return b;
}

} // namespace

Tform3::Tform3(QWidget *parent) : QWidget(parent, widgets::windowWithoutSystemMenu())
{
    initCompanionResources();
    setObjectName(QStringLiteral("form3"));
    platform::keepTitleEmpty(this);
    setFixedSize(317, 175);
    widgets::setWindowColour(this, QColor(0xF5, 0xF5, 0xF5));
    setFont(widgets::pixelFont(QStringLiteral("System"), 13));

    const QFont card = widgets::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    const QFont small = widgets::pixelFont(QStringLiteral("MS Sans Serif"), 11);

    Panel2 = widgets::loweredPanel(this, "Panel2", QRect(12, 8, 297, 113), Qt::white);

    Label1 = widgets::fittingLabel(Panel2, "Label1", QRect(52, 4, 98, 16), maker::FullName, card, Qt::black);
    Label2 = widgets::fittingLabel(Panel2, "Label2", QRect(20, 20, 157, 16), maker::Street, card, Qt::black);
    Label3 = widgets::fittingLabel(Panel2, "Label3", QRect(52, 36, 85, 16), maker::PostalCodeAndCity, card, Qt::black);
    Label6 = widgets::fittingLabel(Panel2, "Label6", QRect(48, 56, 96, 16), maker::Telephone, card, Qt::black);
    Label4 = widgets::fittingLabel(Panel2, "Label4", QRect(52, 76, 80, 13), maker::WebSite, small, widgets::Grey);
    Label5 = widgets::fittingLabel(Panel2, "Label5", QRect(52, 92, 81, 13), maker::Mail, small, widgets::Grey);

    Bevel1 = new QFrame(Panel2);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(196, 4, 93, 101);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(200, 8, 85, 93);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(QStringLiteral(":/companions/wizytowka.jpg")));

    SpeedButton1 = makeFlatButton(this, "SpeedButton1", QStringLiteral("Odwiedź witrynę www autora"),
                                  QRect(12, 128, 177, 22), QStringLiteral(":/companions/www.png"));
    SpeedButton2 = makeFlatButton(this, "SpeedButton2", QStringLiteral("Wyślij pocztę"), QRect(12, 148, 177, 22),
                                  QStringLiteral(":/companions/poczta.png"));
    SpeedButton3 = makeFlatButton(this, "SpeedButton3", QStringLiteral("Zamknij okno"), QRect(200, 148, 109, 22),
                                  QStringLiteral(":/companions/zamknij.png"));
    SpeedButton3->setLayoutDirection(Qt::RightToLeft); // picture right of the caption

    Label7 = widgets::fittingLabel(this, "Label7", QRect(256, 128, 48, 16), QStringLiteral("00:00:00"), card,
                                   widgets::Grey);

    connect(SpeedButton1, &QToolButton::clicked, this, &Tform3::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &Tform3::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &Tform3::SpeedButton3Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Tform3::Timer1Timer);
    Timer1->start();

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void Tform3::Pokaz()
{
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

void Tform3::SpeedButton1Click()
{
    platform::services().shellOpen(this, maker::WebAddress);
}

void Tform3::SpeedButton2Click()
{
    platform::services().shellOpen(this, QStringLiteral("mailto:") + maker::Mail);
}

void Tform3::SpeedButton3Click()
{
    close();
}

void Tform3::Timer1Timer()
{
    Label7->setText(platform::longTimeText(platform::services().now().time()));
    widgets::widenToFit(Label7);
}

void Tform3::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}
