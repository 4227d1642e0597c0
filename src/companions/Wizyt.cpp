#include "Wizyt.h"
#include "MakerContact.h"

#include "platform/LocaleText.h"
#include "platform/Platform.h"

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

const QColor Grey(128, 128, 128);
const QColor Black(0, 0, 0);

// The named face where it exists, else one with close metrics (the
// Windows bitmap faces are not found on Linux).
QFont pixelFont(const QString &family, int pixels)
{
    QFont f;
    f.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPixelSize(pixels);
    return f;
}

// Labels size themselves to their text: the box is a minimum that a wider
// substitute face or a longer contact text may exceed to the right.
void fitWidth(QLabel *l)
{
    const int wanted = l->sizeHint().width();
    if (wanted > l->width())
        l->resize(wanted, l->height());
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::ButtonText, colour);
    pal.setColor(QPalette::Text, colour);
    w->setPalette(pal);
}

void setBackground(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &box, const QFont &font,
                  const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(box);
    l->setFont(font);
    setTextColour(l, colour);
    fitWidth(l);
    return l;
}

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
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setGeometry(box);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIconSize(QSize(17, 17));
    b->setIcon(glyph(picture));
    b->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setTextColour(b, Grey);
    return b;
}

} // namespace

Tform3::Tform3(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    initCompanionResources();
    setObjectName(QStringLiteral("form3"));
    setWindowTitle(QString());
    setFixedSize(317, 175);
    setBackground(this, QColor(0xF5, 0xF5, 0xF5));
    setFont(pixelFont(QStringLiteral("System"), 13));

    const QFont card = pixelFont(QStringLiteral("MS Sans Serif"), 13);
    const QFont small = pixelFont(QStringLiteral("MS Sans Serif"), 11);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(12, 8, 297, 113);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(1);
    setBackground(Panel2, Qt::white);

    Label1 = makeLabel(Panel2, "Label1", maker::FullName, QRect(52, 4, 98, 16), card, Black);
    Label2 = makeLabel(Panel2, "Label2", maker::Street, QRect(20, 20, 157, 16), card, Black);
    Label3 = makeLabel(Panel2, "Label3", maker::PostalCodeAndCity, QRect(52, 36, 85, 16), card, Black);
    Label6 = makeLabel(Panel2, "Label6", maker::Telephone, QRect(48, 56, 96, 16), card, Black);
    Label4 = makeLabel(Panel2, "Label4", maker::WebSite, QRect(52, 76, 80, 13), small, Grey);
    Label5 = makeLabel(Panel2, "Label5", maker::Mail, QRect(52, 92, 81, 13), small, Grey);

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

    Label7 = makeLabel(this, "Label7", QStringLiteral("00:00:00"), QRect(256, 128, 48, 16), card, Grey);

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
    fitWidth(Label7);
}

void Tform3::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}
