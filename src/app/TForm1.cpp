#include "TForm1.h"
#include "HelpText.h"
#include "platform/EmptyWindowTitle.h"
#include "platform/WidgetFactory.h"
#include "editor/TemplateView.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

using namespace widgets;
using Typing = platform::SpinEdit::Typing;

namespace {
const QColor FormColour(255, 250, 244);
const QColor HelpPanelColour(248, 248, 248);
const QColor PreviewColour(240, 240, 240);
} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent, windowWithoutSystemMenu())
{
    setObjectName(QStringLiteral("Form1"));
    platform::keepTitleEmpty(this);
    for (platform::FontChoice &dialog : fontDialogs_)
        dialog.colour = editor::WindowTextColour;
    buildLayout();
    buildMenu();
    setTabOrderChain();
    layout()->setSizeConstraint(QLayout::SetFixedSize); // a fixed-size window
    layout()->activate();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
    naglowek->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::setSecondaryWindows(Tform3 *form3, Thisto_f *histo_f, Tnarzedzia_f *narzedzia_f)
{
    form3_ = form3;
    histo_f_ = histo_f;
    narzedzia_f_ = narzedzia_f;
}

void TForm1::buildLayout()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(744, 490);
    setBackground(client, FormColour);
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(11);
    client->setFont(formFont);
    setCentralWidget(client);

    const QFont buttonFont = arialPixels(12);
    QStyle *s = style();
    auto button = [&](QWidget *parent, const char *name, QRect geometry, const QString &caption,
                      QStyle::StandardPixmap icon) {
        return flatButton(parent, name, geometry, caption, s->standardIcon(icon), buttonFont, Maroon);
    };

    Label14 = label(client, "Label14", 16, 24, QStringLiteral("Edytor dyplomów"), arialPixels(19), Navy);
    Label19 = label(client, "Label19", 80, 48, QStringLiteral("v 3.06"), arialPixels(12), Navy);
    Label22 = label(client, "Label22", 344, 24, QStringLiteral("Położenie na kartce papieru"), formFont, Grey);
    Label20 = label(client, "Label20", 328, 40, QStringLiteral("Margines lewy"), formFont, Grey);
    Label21 = label(client, "Label21", 416, 40, QStringLiteral("Margines górny"), formFont, Grey);
    margin_wz_l = spinEdit(client, "margin_wz_l", QRect(328, 56, 73, 24), Typing::Disabled);
    margin_wz_g = spinEdit(client, "margin_wz_g", QRect(416, 56, 73, 24), Typing::Disabled);

    // Heading block.
    Panel2 = loweredPanel(client, "Panel2", QRect(8, 92, 497, 97), Qt::white);
    Label1 = label(Panel2, "Label1", 8, 8, QStringLiteral("Nagłówek"), arialPixels(13), Navy);
    naglowek = edit(Panel2, "naglowek", QRect(8, 24, 473, 21));
    Label2 = label(Panel2, "Label2", 320, 48, QStringLiteral("Margines lewy"));
    Label3 = label(Panel2, "Label3", 408, 48, QStringLiteral("Margines górny"));
    marginesl = spinEdit(Panel2, "marginesl", QRect(320, 64, 73, 24), Typing::Disabled);
    marginesg = spinEdit(Panel2, "marginesg", QRect(408, 64, 73, 24), Typing::Disabled);
    SpeedButton7 = button(Panel2, "SpeedButton7", QRect(8, 64, 161, 22), QStringLiteral("Czcionka nagłówka"),
                          QStyle::SP_FileDialogDetailedView);

    // Recipient block.
    Panel7 = loweredPanel(client, "Panel7", QRect(8, 196, 497, 97), Qt::white);
    Label15 = label(Panel7, "Label15", 8, 8, QStringLiteral("Dla"));
    dla = edit(Panel7, "dla", QRect(8, 24, 473, 17));
    Label16 = label(Panel7, "Label16", 320, 48, QStringLiteral("Margines lewy"));
    Label17 = label(Panel7, "Label17", 408, 48, QStringLiteral("Margines górny"));
    mal = spinEdit(Panel7, "mal", QRect(320, 64, 73, 24), Typing::Allowed);
    mag = spinEdit(Panel7, "mag", QRect(408, 64, 73, 24), Typing::Allowed);
    SpeedButton8 = button(Panel7, "SpeedButton8", QRect(8, 64, 161, 22), QStringLiteral("Czcionka \"Dla\""),
                          QStyle::SP_FileDialogDetailedView);

    // Body block.
    Panel4 = loweredPanel(client, "Panel4", QRect(8, 300, 497, 185), Qt::white);
    Label5 = label(Panel4, "Label5", 8, 8, QStringLiteral("Treść"));
    for (int k = 0; k < 6; ++k)
        Edit[k] = edit(Panel4, QStringLiteral("Edit%1").arg(k + 1).toLatin1().constData(),
                       QRect(8, 24 + 16 * k, 481, 17));
    Label6 = label(Panel4, "Label6", 328, 136, QStringLiteral("Margines lewy"));
    Label7 = label(Panel4, "Label7", 416, 136, QStringLiteral("Margines górny"));
    ml = spinEdit(Panel4, "ml", QRect(328, 152, 73, 24), Typing::Disabled);
    mg = spinEdit(Panel4, "mg", QRect(416, 152, 73, 24), Typing::Disabled);
    SpeedButton9 = button(Panel4, "SpeedButton9", QRect(8, 144, 169, 22), QStringLiteral("Czcinka treści"),
                          QStyle::SP_FileDialogDetailedView);

    // Live preview, bottom to top.
    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(512, 24, 225, 313);
    setBackground(Panel1, PreviewColour);
    ramka = new QFrame(Panel1);
    ramka->setObjectName(QStringLiteral("ramka"));
    ramka->setFrameStyle(QFrame::Box | QFrame::Sunken);
    ramka->setGeometry(8, 8, 205, 297);
    Image1 = new editor::TemplateView(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 189, 281);
    auto previewLabel = [&](const char *name, int left, int top) {
        SelfSizingLabel *l = selfSizingLabel(Panel1, name, left, top);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setAutoFillBackground(false);
        return l;
    };
    Label4 = previewLabel("Label4", 24, 24);
    Label8 = previewLabel("Label8", 24, 192);
    Label9 = previewLabel("Label9", 24, 208);
    Label10 = previewLabel("Label10", 24, 224);
    Label11 = previewLabel("Label11", 24, 240);
    Label12 = previewLabel("Label12", 24, 256);
    Label13 = previewLabel("Label13", 24, 272);
    Label18 = previewLabel("Label18", 24, 112);

    SpeedButton1 = button(client, "SpeedButton1", QRect(512, 344, 129, 22), QStringLiteral("Poprzedni wzór"),
                          QStyle::SP_ArrowLeft);
    SpeedButton2 = button(client, "SpeedButton2", QRect(512, 368, 129, 22), QStringLiteral("Następny wzór"),
                          QStyle::SP_ArrowRight);
    SpeedButton3 = button(client, "SpeedButton3", QRect(512, 392, 129, 22), QStringLiteral("Nowy dyplom"),
                          QStyle::SP_FileIcon);
    SpeedButton4 = button(client, "SpeedButton4", QRect(512, 416, 129, 22), QStringLiteral("Drukuj dyplom"),
                          QStyle::SP_DialogSaveButton);
    SpeedButton5 = button(client, "SpeedButton5", QRect(512, 440, 129, 22), QStringLiteral("Pomoc"),
                          QStyle::SP_DialogHelpButton);
    SpeedButton6 = button(client, "SpeedButton6", QRect(512, 464, 129, 22), QStringLiteral("Koniec"),
                          QStyle::SP_DialogCloseButton);

    Panel9 = captionPanel(client, "Panel9", QRect(656, 344, 81, 25), QStringLiteral("11:11:11"));
    QFont clockFont = formFont;
    clockFont.setPixelSize(13);
    clockFont.setBold(true);
    Panel9->setFont(clockFont);
    setTextColour(Panel9, Grey);
    Label23 = label(client, "Label23", 664, 448, QStringLiteral("Wybrany wzór"), formFont, Grey);
    Panel3 = captionPanel(client, "Panel3", QRect(656, 460, 81, 21), QStringLiteral("0001"));
    setTextColour(Panel3, Grey);

    buildHelpPanel(client);

    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
}

void TForm1::buildHelpPanel(QWidget *client)
{
    Panel6 = new QFrame(client);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setGeometry(139, 4, 94, 73);
    setBackground(Panel6, HelpPanelColour);
    Memo1 = new QPlainTextEdit(Panel6);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(24, 24, 681, 369);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setFont(arialPixels(11));
    setTextColour(Memo1, Maroon);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, FormColour);
    Memo1->setPalette(memoPalette);
    Memo1->setPlainText(helpTextLines().join(QLatin1Char('\n')));
    SpeedButton10 = flatButton(Panel6, "SpeedButton10", QRect(568, 416, 137, 22), QStringLiteral("Zamknij podpowiedź"),
                               style()->standardIcon(QStyle::SP_DialogCloseButton), arialPixels(12), Maroon);
    Panel6->hide();
}

void TForm1::buildMenu()
{
    QMenuBar *bar = menuBar();
    QStyle *s = style();
    auto item = [&](QMenu *menu, const char *name, const QString &caption, QStyle::StandardPixmap icon,
                    void (TForm1::*handler)()) {
        QAction *action = menu->addAction(s->standardIcon(icon), caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    Pliki = bar->addMenu(QStringLiteral("&Pliki"));
    Pliki->setObjectName(QStringLiteral("Pliki1"));
    item(Pliki, "Czytajdyplom1", QStringLiteral("&Czytaj dyplom"), QStyle::SP_DialogOpenButton,
         &TForm1::Czytajdyplom1Click);
    item(Pliki, "Zapiszdyplom1", QStringLiteral("&Zapisz dyplom"), QStyle::SP_DialogSaveButton,
         &TForm1::Zapiszdyplom1Click);
    Pliki->addSeparator();
    item(Pliki, "Mojenotatki1", QStringLiteral("Moje notatki"), QStyle::SP_FileDialogContentsView,
         &TForm1::Mojenotatki1Click);
    item(Pliki, "erminarz1", QStringLiteral("Terminarz"), QStyle::SP_FileDialogInfoView, &TForm1::erminarz1Click);
    Pliki->addSeparator();
    item(Pliki, "Narzdziaadministratora1", QStringLiteral("Narzędzia administratora"), QStyle::SP_ComputerIcon,
         &TForm1::Narzdziaadministratora1Click);
    item(Pliki, "Archiwizacjanainnychnonikach1", QStringLiteral("Ochrona danych"), QStyle::SP_DriveHDIcon,
         &TForm1::Archiwizacjanainnychnonikach1Click);
    item(Pliki, "Koniecpracy1", QStringLiteral("&Koniec pracy"), QStyle::SP_DialogCloseButton,
         &TForm1::Koniecpracy1Click);

    Dodatki = bar->addMenu(QStringLiteral("&Dodatki"));
    Dodatki->setObjectName(QStringLiteral("Dodatki1"));
    item(Dodatki, "Wizytwka1", QStringLiteral("&Wizytówka"), QStyle::SP_MessageBoxInformation, &TForm1::Wizytwka1Click);
    item(Dodatki, "Historiauruchomie1", QStringLiteral("Historia uruchomień"), QStyle::SP_FileDialogListView,
         &TForm1::Historiauruchomie1Click);
}

void TForm1::setTabOrderChain()
{
    const std::vector<QWidget *> chain{naglowek, marginesl, marginesg,   Edit[0],     Edit[1], Edit[2],
                                       Edit[3],  Edit[4],   Edit[5],     ml,          mg,      dla,
                                       mal,      mag,       margin_wz_l, margin_wz_g, Memo1};
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

editor::DiplomaTexts TForm1::texts() const
{
    editor::DiplomaTexts t;
    t.heading = naglowek->text();
    for (int k = 0; k < 6; ++k)
        t.body[k] = Edit[k]->text();
    t.recipient = dla->text();
    return t;
}

std::vector<SelfSizingLabel *> TForm1::bodyLabels() const
{
    return {Label8, Label9, Label10, Label11, Label12, Label13};
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}
