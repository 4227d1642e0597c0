#include "Tnarzedzia_f.h"
#include "AdminState.h"
#include "HintDisplay.h"
#include "RegisterCleanup.h"
#include "UpdateCheck.h"

#include "companions/MakerContact.h"
#include "platform/DataPath.h"
#include "platform/Platform.h"
#include "platform/WidgetFactory.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>

// The picture lives in this static library's resources.
static void initAdminResources()
{
    Q_INIT_RESOURCE(admin);
}

namespace {

enum class Glyph { Globe, Run, Back };

// Small decorative pictures beside the button captions.
QPixmap glyph(Glyph kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case Glyph::Globe:
        p.setPen(QPen(QColor(0x1E, 0x5A, 0xA8), 1.2));
        p.setBrush(QColor(0xCF, 0xE4, 0xF8));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case Glyph::Run:
        p.setPen(QPen(QColor(0x2E, 0x8B, 0x2E), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case Glyph::Back: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xB0, 0x30, 0x20));
        QPainterPath arrow;
        arrow.moveTo(2, 8);
        arrow.lineTo(8, 2.5);
        arrow.lineTo(8, 5.5);
        arrow.lineTo(14, 5.5);
        arrow.lineTo(14, 10.5);
        arrow.lineTo(8, 10.5);
        arrow.lineTo(8, 13.5);
        arrow.closeSubpath();
        p.drawPath(arrow);
        break;
    }
    }
    return pixmap;
}

QToolButton *makeButton(QWidget *parent, const char *name, const QString &caption, Glyph kind, const QRect &geometry)
{
    QToolButton *button = widgets::flatButton(parent, name, geometry, caption, glyph(kind),
                                              QFont(QStringLiteral("Arial"), 9), widgets::Maroon);
    // Right to left puts the glyph after the caption.
    button->setLayoutDirection(Qt::RightToLeft);
    return button;
}

QRadioButton *makeOption(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(QLatin1String(name));
    option->setFont(QFont(QStringLiteral("Arial"), 9));
    // Only the caption: Text would also colour the dot of the chosen option.
    QPalette palette = option->palette();
    palette.setColor(QPalette::WindowText, widgets::Navy);
    palette.setColor(QPalette::ButtonText, widgets::Navy);
    option->setPalette(palette);
    option->setGeometry(geometry);
    return option;
}

QString twoLines(const QString &first, const QString &second)
{
    return first + QChar(13) + second;
}

} // namespace

Tnarzedzia_f::Tnarzedzia_f(QWidget *parent)
    : QWidget(parent, widgets::windowWithoutSystemMenu() | Qt::MSWindowsFixedSizeDialogHint)
{
    initAdminResources();
    setObjectName(QStringLiteral("narzedzia_f"));
    setWindowTitle(QStringLiteral("Narzędzia administratora"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    widgets::setWindowColour(this, QColor(0xF3, 0xF3, 0xF3));
    setFixedSize(385, 400);

    Panel1 = widgets::loweredPanel(this, "Panel1", QRect(8, 8, 367, 309), Qt::white);

    GroupBox1 = new QGroupBox(QStringLiteral("Operacja"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(QFont(QStringLiteral("Arial"), 9));
    GroupBox1->setGeometry(12, 16, 345, 129);
    op3 = makeOption(GroupBox1, "op3", QStringLiteral("wykasowanie historii uruchomień"), QRect(16, 46, 205, 17));
    op4 = makeOption(GroupBox1, "op4", QStringLiteral("wykasowanie rejestru archiwizacji"), QRect(16, 69, 281, 17));
    connect(op3, &QRadioButton::clicked, this, &Tnarzedzia_f::op3Click);
    connect(op4, &QRadioButton::clicked, this, &Tnarzedzia_f::op4Click);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(12, 160, 153, 133);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap(QStringLiteral(":/admin/multitool.jpg")));

    SpeedButton3 = makeButton(Panel1, "SpeedButton3", QStringLiteral("Sprawdź aktualizację"), Glyph::Globe,
                              QRect(220, 219, 141, 22));
    SpeedButton2 = makeButton(Panel1, "SpeedButton2", QStringLiteral("Wykonaj operację"), Glyph::Run,
                              QRect(216, 247, 141, 22));
    SpeedButton1 = makeButton(Panel1, "SpeedButton1", QStringLiteral("Powrót"), Glyph::Back, QRect(216, 275, 141, 22));
    SpeedButton2->installEventFilter(new HintDisplay(SpeedButton2));
    connect(SpeedButton3, &QToolButton::clicked, this, &Tnarzedzia_f::SpeedButton3Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &Tnarzedzia_f::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &Tnarzedzia_f::SpeedButton1Click);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(QFont(QStringLiteral("Arial"), 8));
    Memo1->setGeometry(8, 325, 367, 65);
    // Four short lines fit; a scroll bar would only take their room.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->document()->setDocumentMargin(2);
    Memo1->setPlainText(QStringLiteral("Wszystkie operacje są możliwe do wykonania przez użytkownika \n"
                                       "zalogowane na prawach administratora. Przed wykonaniem wskazanej \n"
                                       "operacji zapoznaj się z opinią wsparcia technicznego aby uniknąć \n"
                                       "ewentualnych problemów."));
    Memo1->selectAll();
    Memo1->setAlignment(Qt::AlignHCenter);
    Memo1->setTextCursor(QTextCursor(Memo1->document()));
    Memo1->setReadOnly(true);
    Memo1->setEnabled(false);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

QString Tnarzedzia_f::op3Hint()
{
    return twoLines(QStringLiteral("Operacja wyzeruje dane dotyczące historii uruchomień programu"),
                    QStringLiteral("Poprzednie informacje ulegną skasowaniu"));
}

QString Tnarzedzia_f::op4Hint()
{
    return twoLines(QStringLiteral("Operacja wyzeruje dane dotyczące archiwizacji programu"),
                    QStringLiteral("Poprzednie informacje ulegną skasowaniu"));
}

void Tnarzedzia_f::FormCreate()
{
    if (!op3->isChecked()) {
        op3->setChecked(true);
        op3Click();
    }
    narzedzia_admini::workingDirectory() = platform::currentDirectory();
}

void Tnarzedzia_f::openFromMenu()
{
    setEnabled(true);
    FormCreate();
    show();
}

void Tnarzedzia_f::op3Click()
{
    SpeedButton2->setToolTip(op3Hint());
}

void Tnarzedzia_f::op4Click()
{
    SpeedButton2->setToolTip(op4Hint());
}

void Tnarzedzia_f::SpeedButton2Click()
{
    platform::Platform &services = platform::services();
    if (!services.ask(this, QStringLiteral("Wykonać wskazaną operację ?"), QStringLiteral("Pytanie")))
        return;
    // Relative to the directory current now, like the files themselves.
    const QString base = platform::currentDirectory();
    if (op3->isChecked())
        narzedzia_admini::clearRunHistory(base);
    if (op4->isChecked())
        narzedzia_admini::clearArchiveRegister(base);
    services.inform(this, QStringLiteral("Wybrana operacja została zakończona"), QStringLiteral("Informacja"));
}

void Tnarzedzia_f::SpeedButton1Click()
{
    setEnabled(false);
    hide();
    close();
}

void Tnarzedzia_f::SpeedButton3Click()
{
    narzedzia_admini::checkForUpdate(this, narzedzia_admini::workingDirectory(), maker::VersionInfoAddress);
}
