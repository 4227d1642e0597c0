#include "ClassWindow.h"

#include "DesignDiploma.h"
#include "OutputFolder.h"
#include "CalibrationDialog.h"
#include "PrintChoices.h"
#include "KindsDialog.h"
#include "RegisterDialog.h"

#include "batch/Texts.h"
#include "companions/Companions.h"
#include "batch/table/ReadTable.h"
#include "batch/run/BatchRun.h"
#include "batch/compose/Catalogue.h"
#include "batch/output/ErrorTexts.h"
#include "batch/output/Failure.h"
#include "batch/output/OutputSafety.h"
#include "batch/compose/PageImage.h"
#include "printing/PrinterGeometry.h"
#include "platform/Platform.h"
#include "platform/WidgetFactory.h"
#include "wzory/Store.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace klasa {

namespace {

// A sheet's size as paper is named: the short side across.
QSizeF paperSizeMmUpright(const QSizeF &mm)
{
    return mm.width() <= mm.height() ? mm : mm.transposed();
}

const QString ListFilter = QStringLiteral("Listy klas (*.csv *.txt *.tsv *.xlsx *.ods *.xls);;Wszystkie pliki (*)");

// Runs a step of the session; what goes wrong is shown to the user.
bool doneOrReported(QWidget *parent, const std::function<void()> &step)
{
    try {
        step();
    } catch (const std::exception &e) {
        platform::services().reportError(parent, QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

QString dyplomy(int n)
{
    return batch::plural(n, QStringLiteral("dyplom"), QStringLiteral("dyplomy"), QStringLiteral("dyplomów"));
}

// The combo's entries: the meaning, the body line.
const QList<QPair<QString, ColumnChoice>> &comboEntries()
{
    static const QList<QPair<QString, ColumnChoice>> entries = [] {
        QList<QPair<QString, ColumnChoice>> e;
        e.append({QStringLiteral("imię i nazwisko (dla)"), {ColumnChoice::Recipient, 0, {}}});
        e.append({QStringLiteral("imię"), {ColumnChoice::FirstName, 0, {}}});
        e.append({QStringLiteral("nazwisko"), {ColumnChoice::Surname, 0, {}}});
        e.append({QStringLiteral("nagłówek"), {ColumnChoice::Heading, 0, {}}});
        for (int k = 0; k < 6; ++k)
            e.append({QStringLiteral("treść %1").arg(k + 1), {ColumnChoice::Body, k, {}}});
        e.append({QStringLiteral("pole {…}"), {ColumnChoice::Field, 0, {}}});
        e.append({QStringLiteral("pomiń"), {ColumnChoice::Ignored, 0, {}}});
        return e;
    }();
    return entries;
}

int comboIndexOf(const ColumnChoice &c)
{
    const auto &entries = comboEntries();
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].second.use == c.use && (c.use != ColumnChoice::Body || entries[i].second.body == c.body))
            return i;
    return 0;
}

} // namespace

ClassWindow::ClassWindow(const QString &programDir, TaskRunner *runner, QWidget *parent)
    : QMainWindow(parent), programDir_(programDir)
{
    if (runner) {
        runner_ = thumbRunner_ = saveRunner_ = runner;
    } else {
        // Pools of their own: a long save starves neither the preview nor
        // the gallery.
        ownRunner_ = std::make_unique<PoolRunner>(this, 1);
        ownThumbRunner_ = std::make_unique<PoolRunner>(this, 2);
        ownSaveRunner_ = std::make_unique<PoolRunner>(this, 1);
        runner_ = ownRunner_.get();
        thumbRunner_ = ownThumbRunner_.get();
        saveRunner_ = ownSaveRunner_.get();
    }
    session_.setTemplatesFolder(wzory::templateFolder(programDir_));
    session_.setOptions(settings::options());
    model_ = new ListTableModel(session_, this);
    connect(model_, &ListTableModel::edited, this, &ClassWindow::rebuildPages);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    thumbnails_ = std::make_unique<Thumbnails>(*thumbRunner_,
                                               cache.isEmpty() ? QString() : cache + QStringLiteral("/miniatury"));
    connect(thumbnails_.get(), &Thumbnails::ready, this, [this](const QString &path) {
        for (int i = 0; i < gallery_->count(); ++i)
            if (gallery_->item(i)->data(Qt::UserRole + 1).toString() == path)
                gallery_->item(i)->setIcon(QIcon(QPixmap::fromImage(thumbnails_->get(path))));
    });
    watcher_ = new QFileSystemWatcher(this);
    designImport_ = new DesignImport(this);
    connect(designImport_, &DesignImport::finished, this, &ClassWindow::designAdded);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString &path) {
        if (path != session_.diplomaPath())
            return;
        try {
            session_.openDiploma(path);
        } catch (const std::exception &) {
            return; // half written: the next change reads it again
        }
        if (!watcher_->files().contains(path))
            watcher_->addPath(path);
        refreshDiploma();
        rebuildPages();
    });
    buildWindow();
    updateTitle();
    reloadLayouts();
}

ClassWindow::~ClassWindow()
{
    if (cancel_)
        cancel_->store(true);
    // Workers first (their results are then dropped with the window's
    // events), then the widgets, which ask the models while they go.
    ownSaveRunner_.reset();
    ownRunner_.reset();
    ownThumbRunner_.reset();
    if (readingList_)
        QApplication::restoreOverrideCursor();
    table_->setModel(nullptr);
    delete takeCentralWidget();
}

void ClassWindow::buildWindow()
{
    setObjectName(QStringLiteral("ClassWindow"));
    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    left->addWidget(diplomaPart());
    left->addWidget(listPart(), 3);
    left->addWidget(templatePart(), 1);
    auto *right = new QVBoxLayout;
    right->addWidget(pagesPart(), 1);
    right->addWidget(outputPart());
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    setCentralWidget(central);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&Plik"));
    const auto action = [this](QMenu *menu, const QString &text, const QKeySequence &keys, auto slot) {
        QAction *a = menu->addAction(text);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action(file, QStringLiteral("Otwórz &dyplom…"), QKeySequence(QStringLiteral("Ctrl+O")),
           &ClassWindow::openDiplomaDialog);
    action(file, QStringLiteral("&Nowy dyplom z wzoru…"), QKeySequence(QStringLiteral("Ctrl+N")),
           &ClassWindow::newDiplomaFromDesign);
    action(file, QStringLiteral("Edytu&j w edytorze"), QKeySequence(QStringLiteral("Ctrl+E")),
           &ClassWindow::editInEditor);
    action(file, QStringLiteral("Otwórz &listę…"), QKeySequence(QStringLiteral("Ctrl+L")), &ClassWindow::openListDialog);
    action(file, QStringLiteral("&Wklej listę"), QKeySequence(QStringLiteral("Ctrl+Shift+V")),
           [this] { pasteFromClipboard(); });
    action(file, QStringLiteral("Zapisz listę jako &CSV…"), QKeySequence(), &ClassWindow::saveListCsv);
    action(file, QStringLiteral("Rodzaje dyplomów…"), QKeySequence(), &ClassWindow::showKinds);
    action(file, QStringLiteral("Rejestr dyplomów…"), QKeySequence(), &ClassWindow::showRegister);
    file->addSeparator();
    action(file, QStringLiteral("Zapisz &PDF…"), QKeySequence(QStringLiteral("Ctrl+S")), &ClassWindow::savePdf);
    action(file, QStringLiteral("&Osobne pliki PDF…"), QKeySequence(), &ClassWindow::saveSeparate);
    action(file, QStringLiteral("D&rukuj…"), QKeySequence(QStringLiteral("Ctrl+P")), &ClassWindow::printPages);
    file->addSeparator();
    action(file, QStringLiteral("&Zamknij"), QKeySequence(QStringLiteral("Ctrl+Q")), &QWidget::close);
    QMenu *pages = menuBar()->addMenu(QStringLiteral("&Strony"));
    action(pages, QStringLiteral("&Poprzednia strona"), QKeySequence(Qt::Key_PageUp), [this] { showPage(page_ - 1); });
    action(pages, QStringLiteral("&Następna strona"), QKeySequence(Qt::Key_PageDown), [this] { showPage(page_ + 1); });
    QMenu *templates = menuBar()->addMenu(QStringLiteral("W&zór"));
    action(templates, QStringLiteral("Dodaj &własny wzór…"), QKeySequence(), &ClassWindow::addOwnTemplate);
    QMenu *printer = menuBar()->addMenu(QStringLiteral("Drukarka")); // every letter of it is taken
    action(printer, QStringLiteral("&Kalibracja drukarki…"), QKeySequence(), &ClassWindow::calibratePrinter);
    resize(1000, 740);
}

QWidget *ClassWindow::diplomaPart()
{
    auto *box = new QGroupBox(QStringLiteral("Dyplom"));
    auto *layout = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    diplomaLabel_ = new QLabel(QStringLiteral("Nie otwarto dyplomu."));
    diplomaLabel_->setObjectName(QStringLiteral("diplomaLabel"));
    diplomaLabel_->setWordWrap(true);
    auto *open = new QPushButton(QStringLiteral("Otwórz &dyplom…"));
    connect(open, &QPushButton::clicked, this, &ClassWindow::openDiplomaDialog);
    // No mnemonic: every free letter is taken; Ctrl+E (the menu's) starts it.
    auto *edit = new QPushButton(QStringLiteral("Edytuj w edytorze"));
    edit->setObjectName(QStringLiteral("editDiploma"));
    connect(edit, &QPushButton::clicked, this, &ClassWindow::editInEditor);
    row->addWidget(diplomaLabel_, 1);
    row->addWidget(open);
    row->addWidget(edit);
    layout->addLayout(row);
    diplomaTexts_ = new QPlainTextEdit;
    diplomaTexts_->setObjectName(QStringLiteral("diplomaTexts"));
    diplomaTexts_->setReadOnly(true);
    diplomaTexts_->setMaximumHeight(110);
    layout->addWidget(diplomaTexts_);
    return box;
}

QWidget *ClassWindow::listPart()
{
    auto *box = new QGroupBox(QStringLiteral("Lista"));
    auto *layout = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    auto *open = new QPushButton(QStringLiteral("Otwórz &listę…"));
    connect(open, &QPushButton::clicked, this, &ClassWindow::openListDialog);
    auto *paste = new QPushButton(QStringLiteral("&Wklej ze schowka"));
    connect(paste, &QPushButton::clicked, this, [this] { pasteFromClipboard(); });
    auto *csv = new QPushButton(QStringLiteral("Zapisz listę jako &CSV…"));
    connect(csv, &QPushButton::clicked, this, &ClassWindow::saveListCsv);
    row->addWidget(open);
    row->addWidget(paste);
    row->addWidget(csv);
    row->addStretch(1);
    layout->addLayout(row);
    auto *headerRow = new QHBoxLayout;
    headerSpin_ = new QSpinBox;
    headerSpin_->setObjectName(QStringLiteral("headerRow"));
    headerSpin_->setSpecialValueText(QStringLiteral("brak (lista bez nagłówka)"));
    headerSpin_->setRange(0, 0);
    connect(headerSpin_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int n) {
        if (n - 1 == session_.headerRow())
            return;
        session_.setHeaderRow(n - 1);
        showNewList();
    });
    auto *headerLabel = new QLabel(QStringLiteral("Wiersz z nagłówkie&m"));
    headerLabel->setBuddy(headerSpin_);
    headerRow->addWidget(headerLabel);
    headerRow->addWidget(headerSpin_);
    headerRow->addStretch(1);
    layout->addLayout(headerRow);
    columnsRow_ = new QWidget;
    columnsLayout_ = new QHBoxLayout(columnsRow_);
    columnsLayout_->setContentsMargins(0, 0, 0, 0);
    // Many unknown columns scroll instead of widening the window.
    columnsScroll_ = new QScrollArea;
    columnsScroll_->setWidget(columnsRow_);
    columnsScroll_->setWidgetResizable(true);
    columnsScroll_->setFrameShape(QFrame::NoFrame);
    columnsScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    columnsScroll_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    columnsScroll_->setVisible(false);
    layout->addWidget(columnsScroll_);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("listTable"));
    table_->setModel(model_);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        // The pupil's page (a skipped row has none).
        if (!current.isValid())
            return;
        const int line = session_.rowLine(current.row());
        const QList<batch::Page> &pages = session_.pages();
        for (int i = 0; i < pages.size(); ++i)
            if (pages[i].line == line) {
                if (i != page_)
                    showPage(i);
                return;
            }
    });
    layout->addWidget(table_, 1);
    countsLabel_ = new QLabel;
    countsLabel_->setObjectName(QStringLiteral("countsLabel"));
    layout->addWidget(countsLabel_);
    return box;
}

QWidget *ClassWindow::templatePart()
{
    auto *box = new QGroupBox(QStringLiteral("Wzór"));
    auto *layout = new QVBoxLayout(box);
    auto *choose = new QHBoxLayout;
    occasionFilter_ = new QComboBox;
    occasionFilter_->setObjectName(QStringLiteral("occasionFilter"));
    occasionFilter_->addItem(QStringLiteral("Wszystkie"), QString());
    connect(occasionFilter_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { refreshGallery(); });
    auto *occasionLabel = new QLabel(QStringLiteral("Okazja"));
    occasionLabel->setBuddy(occasionFilter_);
    gallerySearch_ = new QLineEdit;
    gallerySearch_->setObjectName(QStringLiteral("gallerySearch"));
    gallerySearch_->setPlaceholderText(QStringLiteral("nazwa wzoru"));
    gallerySearch_->setClearButtonEnabled(true);
    connect(gallerySearch_, &QLineEdit::textChanged, this, [this] { refreshGallery(); });
    // The window's letters are all taken: Ctrl+F, as in most programs.
    auto *find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, gallerySearch_, [this] {
        gallerySearch_->setFocus(Qt::ShortcutFocusReason);
        gallerySearch_->selectAll();
    });
    addAction(find);
    gallerySearch_->setToolTip(QStringLiteral("Ctrl+F"));
    auto *searchLabel = new QLabel(QStringLiteral("Szukaj po nazwie"));
    searchLabel->setBuddy(gallerySearch_);
    choose->addWidget(occasionLabel);
    choose->addWidget(occasionFilter_);
    choose->addWidget(searchLabel);
    choose->addWidget(gallerySearch_, 1);
    layout->addLayout(choose);
    gallery_ = new QListWidget;
    gallery_->setObjectName(QStringLiteral("gallery"));
    gallery_->setViewMode(QListView::IconMode);
    gallery_->setFlow(QListView::LeftToRight);
    gallery_->setWrapping(false);
    gallery_->setIconSize(QSize(Thumbnails::Width / 2, Thumbnails::Height / 2));
    gallery_->setMinimumHeight(Thumbnails::Height / 2 + 40);
    const auto picked = [this](QListWidgetItem *item) {
        if (item && item->data(Qt::UserRole).toInt() > 0) // not a section's title
            useTemplate(item->data(Qt::UserRole).toInt());
    };
    connect(gallery_, &QListWidget::itemActivated, this, picked);
    connect(gallery_, &QListWidget::currentItemChanged, this, picked);
    layout->addWidget(gallery_);
    auto *row = new QHBoxLayout;
    auto *own = new QPushButton(QStringLiteral("Wzór d&yplomu"));
    connect(own, &QPushButton::clicked, this, [this] { useTemplate(session_.diploma().templateNumber); });
    addTemplateButton_ = new QPushButton(QStringLiteral("Dodaj własny wzó&r…"));
    connect(addTemplateButton_, &QPushButton::clicked, this, &ClassWindow::addOwnTemplate);
    row->addWidget(own);
    row->addWidget(addTemplateButton_);
    row->addStretch(1);
    layout->addLayout(row);
    return box;
}

QWidget *ClassWindow::pagesPart()
{
    auto *box = new QGroupBox(QStringLiteral("Strony"));
    auto *layout = new QVBoxLayout(box);
    previewLabel_ = new QLabel;
    previewLabel_->setObjectName(QStringLiteral("preview"));
    previewLabel_->setAlignment(Qt::AlignCenter);
    previewLabel_->setMinimumSize(280, 396);
    previewLabel_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    widgets::setBackground(previewLabel_, widgets::Grey);
    previewLabel_->setAutoFillBackground(true);
    layout->addWidget(previewLabel_, 3);
    auto *nav = new QHBoxLayout;
    auto *prev = new QPushButton(QStringLiteral("◀ Poprz&ednia"));
    connect(prev, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    auto *next = new QPushButton(QStringLiteral("&Następna ▶"));
    connect(next, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    pageSpin_ = new QSpinBox;
    pageSpin_->setObjectName(QStringLiteral("pageNumber"));
    pageSpin_->setRange(1, 1);
    connect(pageSpin_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int n) {
        if (n - 1 != page_)
            showPage(n - 1);
    });
    auto *pageLabel = new QLabel(QStringLiteral("S&trona"));
    pageLabel->setBuddy(pageSpin_);
    pageCount_ = new QLabel;
    nav->addWidget(prev);
    nav->addWidget(pageLabel);
    nav->addWidget(pageSpin_);
    nav->addWidget(pageCount_);
    nav->addWidget(next);
    layout->addLayout(nav);
    auto *opts = new QHBoxLayout;
    shrinkBox_ = new QCheckBox(QStringLiteral("Dopasuj zbyt dłu&gie"));
    // As --wysrodkuj: the texts the list fills; the diploma's own keep their place.
    centreBox_ = new QCheckBox(QStringLiteral("Wyśrod&kuj teksty z listy"));
    centreBox_->setToolTip(QStringLiteral("Środkuje w wolnym polu wzoru teksty wypełniane z listy (imię i nazwisko, "
                                          "pola {…}); nagłówek i pozostałe wiersze dyplomu zostają na swoim miejscu."));
    backgroundBox_ = new QCheckBox(QStringLiteral("&Białe tło pod tekstem"));
    shrinkBox_->setObjectName(QStringLiteral("shrink"));
    centreBox_->setObjectName(QStringLiteral("centre"));
    backgroundBox_->setObjectName(QStringLiteral("textBackground"));
    shrinkBox_->setChecked(session_.options().shrink);
    centreBox_->setChecked(session_.options().centre);
    backgroundBox_->setChecked(session_.options().textBackground);
    for (QCheckBox *b : {shrinkBox_, centreBox_, backgroundBox_}) {
        connect(b, &QCheckBox::toggled, this, [this] { optionsChanged(); });
        opts->addWidget(b);
    }
    layout->addLayout(opts);
    problems_ = new QListWidget;
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setMaximumHeight(120);
    problems_->setWordWrap(true);
    problems_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(problems_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const int page = item->data(Qt::UserRole).toInt();
        if (page < 0)
            return;
        showPage(page);
        selectRowOf(page);
    });
    connect(problems_, &QListWidget::itemClicked, problems_, &QListWidget::itemActivated);
    layout->addWidget(problems_, 1);
    return box;
}

QWidget *ClassWindow::sheetPart()
{
    auto *part = new QWidget;
    auto *row = new QHBoxLayout(part);
    row->setContentsMargins(0, 0, 0, 0);
    paperBox_ = new QComboBox;
    paperBox_->setObjectName(QStringLiteral("paper"));
    paperBox_->addItems(batch::paperNames());
    landscapeBox_ = new QCheckBox(QStringLiteral("Poziomo"));
    landscapeBox_->setObjectName(QStringLiteral("landscape"));
    perSheetBox_ = new QComboBox;
    perSheetBox_->setObjectName(QStringLiteral("perSheet"));
    perSheetBox_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")});
    perSheetBox_->setToolTip(QStringLiteral("2 × A5 albo 4 × A6 na arkuszu A4, 2 × A6 na A5, ze znacznikami cięcia"));
    const batch::SheetLayout remembered = settings::sheetLayout();
    paperBox_->setCurrentText(remembered.paper);
    landscapeBox_->setChecked(remembered.landscape);
    perSheetBox_->setCurrentText(QString::number(remembered.perSheet));
    const auto remember = [this] { optionsChanged(); };
    connect(paperBox_, qOverload<int>(&QComboBox::currentIndexChanged), this, remember);
    connect(landscapeBox_, &QCheckBox::toggled, this, remember);
    connect(perSheetBox_, qOverload<int>(&QComboBox::currentIndexChanged), this, remember);
    auto *paperLabel = new QLabel(QStringLiteral("Papi&er"));
    paperLabel->setBuddy(paperBox_);
    auto *perSheetLabel = new QLabel(QStringLiteral("Na ar&kuszu"));
    perSheetLabel->setBuddy(perSheetBox_);
    row->addWidget(paperLabel);
    row->addWidget(paperBox_);
    row->addWidget(landscapeBox_);
    row->addWidget(perSheetLabel);
    row->addWidget(perSheetBox_);
    row->addStretch(1);
    return part;
}

batch::SheetLayout ClassWindow::sheetLayout() const
{
    batch::SheetLayout layout;
    layout.paper = paperBox_->currentText();
    layout.landscape = landscapeBox_->isChecked();
    layout.perSheet = perSheetBox_->currentText().toInt();
    return layout;
}

QWidget *ClassWindow::outputPart()
{
    auto *box = new QGroupBox(QStringLiteral("Wydruk"));
    auto *layout = new QVBoxLayout(box);
    auto *row = new QHBoxLayout;
    const auto button = [&](const QString &text, const char *name, void (ClassWindow::*slot)()) {
        auto *b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        outputButtons_.append(b);
    };
    button(QStringLiteral("Zap&isz PDF…"), "savePdf", &ClassWindow::savePdf);
    button(QStringLiteral("&Osobne pliki PDF…"), "saveSeparate", &ClassWindow::saveSeparate);
    button(QStringLiteral("Dr&ukuj…"), "print", &ClassWindow::printPages);
    layout->addLayout(row);
    auto *namesRow = new QHBoxLayout;
    nameOrder_ = new QComboBox;
    nameOrder_->setObjectName(QStringLiteral("nameOrder"));
    nameOrder_->addItems({QStringLiteral("Imię Nazwisko.pdf"), QStringLiteral("Nazwisko Imię.pdf")});
    // Surname first sorts the files as the register does.
    nameOrder_->setCurrentIndex(settings::surnameFirst() ? 1 : 0);
    connect(nameOrder_, qOverload<int>(&QComboBox::activated), this,
            [](int index) { settings::setSurnameFirst(index == 1); });
    auto *namesLabel = new QLabel(QStringLiteral("Nazwy osobnyc&h plików"));
    namesLabel->setBuddy(nameOrder_);
    namesRow->addWidget(namesLabel);
    namesRow->addWidget(nameOrder_);
    namesRow->addStretch(1);
    layout->addLayout(namesRow);
    // Only the outputs leave the template out: the preview keeps it as a guide.
    textOnlyBox_ = new QCheckBox(QStringLiteral("Papier z nadrukiem (druku&j tylko teksty)"));
    textOnlyBox_->setObjectName(QStringLiteral("textOnly"));
    textOnlyBox_->setToolTip(QStringLiteral("Wzór widać w podglądzie, ale nie trafia do PDF-u ani na wydruk."));
    connect(textOnlyBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (!session_.diplomaPath().isEmpty())
            settings::setTextOnly(session_.diplomaPath(), on);
    });
    layout->addWidget(textOnlyBox_);
    layout->addWidget(sheetPart());
    auto *progressRow = new QHBoxLayout;
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setVisible(false);
    cancelButton_ = new QPushButton(QStringLiteral("&Anuluj"));
    cancelButton_->setObjectName(QStringLiteral("cancel"));
    cancelButton_->setVisible(false);
    connect(cancelButton_, &QPushButton::clicked, this, &ClassWindow::cancelRun);
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancelButton_);
    layout->addLayout(progressRow);
    auto *resultRow = new QHBoxLayout;
    resultLabel_ = new QLabel;
    resultLabel_->setObjectName(QStringLiteral("result"));
    resultLabel_->setWordWrap(true);
    openFolderButton_ = new QPushButton(QStringLiteral("Otwórz &folder"));
    openFolderButton_->setObjectName(QStringLiteral("openFolder"));
    openFolderButton_->setVisible(false);
    connect(openFolderButton_, &QPushButton::clicked, this, [this] {
        if (!platform::services().shellOpen(this, QUrl::fromLocalFile(resultFolder_).toString()))
            resultLabel_->setText(
                QStringLiteral("Nie można otworzyć folderu %1: w systemie nie ma programu, który otwiera foldery.")
                    .arg(QDir::toNativeSeparators(resultFolder_)));
    });
    resultRow->addWidget(resultLabel_, 1);
    resultRow->addWidget(openFolderButton_);
    layout->addLayout(resultRow);
    for (QPushButton *b : outputButtons_)
        b->setEnabled(false);
    return box;
}

void ClassWindow::openArguments(const QStringList &arguments)
{
    for (const QString &a : arguments)
        if (a.endsWith(QStringLiteral(".dyp"), Qt::CaseInsensitive))
            loadDiploma(a);
    for (const QString &a : arguments)
        if (!a.endsWith(QStringLiteral(".dyp"), Qt::CaseInsensitive))
            loadList(a);
}

QString ClassWindow::lastFolder(settings::Folder kind) const
{
    QString f = settings::folder(kind);
    if (!f.isEmpty())
        return f;
    // The diplomas' folder (in the program's data a link to ~/Dyplomy).
    for (const QString &d :
         {QDir(programDir_).filePath(QStringLiteral("Dyplomy")), QDir::home().filePath(QStringLiteral("Dyplomy"))})
        if (QFileInfo(d).isDir())
            return d;
    return QDir::homePath();
}

void ClassWindow::rememberFolder(settings::Folder kind, const QString &path)
{
    settings::setFolder(kind, QFileInfo(path).absolutePath());
}

void ClassWindow::showRegister()
{
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Rejestr dyplomów");
    s.filter = QStringLiteral("Rejestry dyplomów (*.csv *.ods)");
    s.defaultExtension = QStringLiteral("*.csv");
    s.initialFolder = lastFolder(settings::Folder::List);
    const auto path = platform::services().openFileName(this, s);
    batch::DiplomaRegister issued;
    if (!path || !doneOrReported(this, [&] { issued = batch::DiplomaRegister::read(*path); }))
        return;
    RegisterDialog dialog(issued, this);
    dialog.exec();
}

void ClassWindow::showKinds()
{
    KindsDialog dialog(session_.hasList() ? session_.effectiveTable().rows.value(0) : QStringList(),
                       session_.ceremony(), QFileInfo(session_.diplomaPath()).absolutePath(), this);
    if (dialog.exec() == QDialog::Accepted)
        setCeremony(dialog.ceremony());
}

bool ClassWindow::setCeremony(const Ceremony &ceremony)
{
    if (!doneOrReported(this, [&] { session_.setCeremony(ceremony); }))
        return false;
    rebuildPages();
    return true;
}

void ClassWindow::openDiplomaDialog()
{
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Otwórz dyplom");
    s.filter = QStringLiteral("Pliki dyplomów (*.dyp)");
    s.defaultExtension = QStringLiteral("*.dyp");
    s.initialFolder = lastFolder(settings::Folder::Diploma);
    if (const auto path = platform::services().openFileName(this, s))
        loadDiploma(*path);
}

bool ClassWindow::loadDiploma(const QString &path)
{
    if (!doneOrReported(this, [&] { session_.openDiploma(path); }))
        return false;
    rememberFolder(settings::Folder::Diploma, path);
    session_.chooseTemplate(session_.diploma().templateNumber); // a new diploma starts with its own
    recallTextOnly();
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    watcher_->addPath(path);
    refreshDiploma();
    refreshGallery();
    if (session_.hasList()) {
        // The fields the diploma holds may name other columns.
        refreshColumns();
    }
    rebuildPages();
    return true;
}

int ClassWindow::chosenDesign() const
{
    const QListWidgetItem *item = gallery_->currentItem();
    if (item && item->data(Qt::UserRole).toInt() > 0)
        return item->data(Qt::UserRole).toInt();
    return session_.hasDiploma() ? session_.templateNumber() : 0;
}

QString ClassWindow::newDiplomaFromDesign()
{
    const int number = chosenDesign();
    if (number <= 0) {
        platform::services().reportError(this, QStringLiteral("Najpierw wybierz wzór w galerii."));
        return QString();
    }
    reloadLayouts(); // the table may have changed with the templates
    const auto design = layouts_.constFind(number);
    if (design == layouts_.cend()) {
        platform::services().reportError(
            this,
            QStringLiteral("Wzór nr %1 nie ma proponowanego układu tekstów; wybierz wzór opisany w galerii.").arg(number));
        return QString();
    }
    QString path;
    if (!doneOrReported(this, [&] {
            path = writeNewDiploma(QDir(programDir_).filePath(QStringLiteral("Dyplomy")), design->title,
                                   diplomaFromDesign(number, *design));
        }))
        return QString();
    if (!loadDiploma(path))
        return QString();
    followDesignOrientation(number);
    return path;
}

bool ClassWindow::editInEditor()
{
    if (!session_.hasDiploma()) {
        platform::services().reportError(this, QStringLiteral("Najpierw otwórz dyplom albo utwórz nowy z wzoru."));
        return false;
    }
    const QString editor = companions::findProgram(QStringLiteral("dyplom"), editorSearch);
    if (editor.isEmpty()) {
        platform::services().reportError(
            this, QStringLiteral("Nie znaleziono edytora dyplomów (programu „dyplom”) obok tego programu ani w PATH."));
        return false;
    }
    // The window follows the file: the watcher reads each saved change.
    if (!platform::services().startDetached(editor, {session_.diplomaPath()})) {
        platform::services().reportError(this, QStringLiteral("Nie można uruchomić edytora %1.").arg(editor));
        return false;
    }
    return true;
}

void ClassWindow::openListDialog()
{
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Otwórz listę klasy");
    s.filter = ListFilter;
    s.initialFolder = lastFolder(settings::Folder::List);
    if (const auto path = platform::services().openFileName(this, s))
        loadList(*path);
}

bool ClassWindow::listChangesSettled()
{
    if (!session_.hasList() || !session_.listEdited())
        return true;
    const int answer = platform::services().choose(
        this,
        QStringLiteral("Zapisać zmiany w liście?\n\nW liście %1 poprawiono komórki; bez zapisu poprawki przepadną.")
            .arg(QFileInfo(session_.listName()).fileName()),
        QStringLiteral("Dyplomy dla klasy"),
        {QStringLiteral("Zapisz jako CSV…"), QStringLiteral("Nie zapisuj"), QStringLiteral("Anuluj")});
    if (answer == 0)
        return saveListCsv();
    return answer == 1;
}

void ClassWindow::closeEvent(QCloseEvent *event)
{
    if (listChangesSettled())
        event->accept();
    else
        event->ignore();
}

bool ClassWindow::loadList(const QString &path)
{
    if (!listChangesSettled())
        return false;
    // A long list or spreadsheet takes a while to read: on a worker, with
    // the busy sign; the newest request wins.
    const quint64 generation = ++listGeneration_;
    auto table = std::make_shared<batch::Table>();
    auto error = std::make_shared<QString>();
    auto outcome = std::make_shared<int>(-1); // -1 still reading, 0 refused, 1 shown
    if (!readingList_)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    readingList_ = true;
    countsLabel_->setText(QStringLiteral("Wczytywanie listy %1…").arg(QFileInfo(path).fileName()));
    runner_->run(
        [path, table, error] {
            try {
                *table = batch::readTable(path, {});
            } catch (const std::exception &e) {
                *error = QString::fromUtf8(e.what());
            }
        },
        [this, generation, path, table, error, outcome] {
            if (generation != listGeneration_)
                return;
            readingList_ = false;
            QApplication::restoreOverrideCursor();
            const bool read = error->isEmpty() && doneOrReported(this, [&] { session_.setTable(*table, path); });
            if (!error->isEmpty())
                platform::services().reportError(this, *error);
            if (!read) {
                *outcome = 0;
                countsLabel_->setText(session_.hasList() ? session_.countsLine() : QString());
                return;
            }
            rememberFolder(settings::Folder::List, path);
            showNewList();
            *outcome = 1;
        });
    return *outcome != 0;
}

void ClassWindow::showNewList()
{
    headerSpin_->blockSignals(true);
    headerSpin_->setRange(0, session_.headerCandidates());
    headerSpin_->setValue(session_.headerRow() + 1);
    headerSpin_->blockSignals(false);
    recallColumns();
    model_->reload();
    refreshColumns();
    updateTitle();
    page_ = 0; // a new list starts at its first page
    rebuildPages();
}

bool ClassWindow::pasteFromClipboard()
{
    const QString text = QApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        platform::services().inform(this, QStringLiteral("Schowek nie zawiera tekstu do wklejenia."),
                                    QStringLiteral("Dyplomy dla klasy"));
        return false;
    }
    if (!listChangesSettled())
        return false;
    ++listGeneration_; // a list still being read is not wanted any more
    if (readingList_) {
        readingList_ = false;
        QApplication::restoreOverrideCursor();
    }
    if (!doneOrReported(this, [&] { session_.pasteList(text); }))
        return false;
    showNewList();
    return true;
}

bool ClassWindow::saveListCsv()
{
    if (!session_.hasList())
        return false;
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Zapisz listę jako CSV");
    s.filter = QStringLiteral("Pliki CSV w UTF-8, średnik (*.csv)");
    s.defaultExtension = QStringLiteral("*.csv");
    s.initialFolder = lastFolder(settings::Folder::List);
    s.fileName = QFileInfo(session_.listName()).completeBaseName() + QStringLiteral("-poprawiona.csv");
    s.overwritePrompt = true;
    const auto path = platform::services().saveFileName(this, s);
    if (!path)
        return false;
    for (const batch::InputFile &in : session_.inputs())
        if (QFileInfo(in.path).absoluteFilePath() == QFileInfo(*path).absoluteFilePath()) {
            platform::services().reportError(this, QStringLiteral("%1: to %2, nie zapisuję na nim").arg(*path, in.what));
            return false;
        }
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || file.write(session_.csv()) < 0 || !file.commit()) {
        platform::services().reportError(this,
                                         QStringLiteral("%1: nie można zapisać (%2)").arg(*path, file.errorString()));
        return false;
    }
    session_.markListSaved();
    resultLabel_->setText(QStringLiteral("Zapisano listę w %1 (UTF-8, średniki)").arg(QFileInfo(*path).fileName()));
    return true;
}

void ClassWindow::refreshDiploma()
{
    if (!session_.hasDiploma())
        return;
    const auto &c = session_.diploma();
    QString shown =
        QStringLiteral("%1 — wzór nr %2").arg(QFileInfo(session_.diplomaPath()).fileName()).arg(session_.templateNumber());
    if (!session_.ownTemplate())
        shown += QStringLiteral(" (dyplom: nr %1)").arg(c.templateNumber);
    const QStringList fields = session_.diplomaFields();
    shown += fields.isEmpty() ? QStringLiteral("; bez pól")
                              : QStringLiteral("; pola: {%1}").arg(fields.join(QStringLiteral("}, {")));
    diplomaLabel_->setText(shown);
    QStringList lines{QStringLiteral("Nagłówek: ") + c.texts.heading};
    for (int i = 0; i < 6; ++i)
        if (!c.texts.body[i].isEmpty())
            lines.append(QStringLiteral("Treść %1: %2").arg(i + 1).arg(c.texts.body[i]));
    lines.append(QStringLiteral("Dla: ") + c.texts.recipient);
    diplomaTexts_->setPlainText(lines.join(QLatin1Char('\n')));
}

void ClassWindow::refreshColumns()
{
    combos_.clear();
    while (QLayoutItem *item = columnsLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int col = 0; col < session_.columnCount(); ++col) {
        if (session_.columnRecognised(col)) {
            combos_.append(nullptr);
            continue;
        }
        auto *label = new QLabel(session_.columnTitle(col) + QLatin1Char(':'));
        auto *combo = new QComboBox;
        combo->setObjectName(QStringLiteral("column%1").arg(col));
        for (const auto &e : comboEntries())
            combo->addItem(e.second.use == ColumnChoice::Field
                               ? QStringLiteral("pole {%1}")
                                     .arg(session_.columnChoice(col).use == ColumnChoice::Field
                                              ? session_.columnChoice(col).field
                                              : session_.columnTitle(col))
                               : e.first);
        combo->setCurrentIndex(comboIndexOf(session_.columnChoice(col)));
        label->setBuddy(combo);
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, col](int index) {
            ColumnChoice c = comboEntries().value(index).second;
            chooseColumn(col, c);
        });
        columnsLayout_->addWidget(label);
        columnsLayout_->addWidget(combo);
        combos_.append(combo);
    }
    columnsLayout_->addStretch(1);
    columnsScroll_->setFixedHeight(columnsRow_->sizeHint().height()
                                   + columnsScroll_->horizontalScrollBar()->sizeHint().height());
    columnsScroll_->setVisible(!combos_.isEmpty());
}

QComboBox *ClassWindow::columnCombo(int column) const
{
    return combos_.value(column);
}

void ClassWindow::chooseColumn(int column, const ColumnChoice &choice)
{
    session_.setColumnChoice(column, choice);
    if (QComboBox *combo = columnCombo(column))
        combo->setCurrentIndex(comboIndexOf(session_.columnChoice(column)));
    rememberColumns();
    rebuildPages();
}

void ClassWindow::rememberColumns()
{
    QList<ColumnChoice> choices;
    for (int c = 0; c < session_.columnCount(); ++c)
        choices.append(session_.columnChoice(c));
    settings::setColumnChoices(session_.layoutKey(), choices);
}

void ClassWindow::recallColumns()
{
    const QList<ColumnChoice> choices = settings::columnChoices(session_.layoutKey());
    if (choices.size() != session_.columnCount())
        return;
    for (int c = 0; c < choices.size(); ++c)
        if (!session_.columnRecognised(c))
            session_.setColumnChoice(c, choices[c]);
}

void ClassWindow::refreshOccasions(const QList<GallerySection> &all)
{
    const QString chosen = occasionFilter_->currentData().toString();
    const QSignalBlocker quiet(occasionFilter_);
    while (occasionFilter_->count() > 1)
        occasionFilter_->removeItem(1);
    for (const GallerySection &s : all)
        if (!s.title.isEmpty())
            occasionFilter_->addItem(s.title, s.key);
    occasionFilter_->setCurrentIndex(std::max(0, occasionFilter_->findData(chosen)));
}

void ClassWindow::refreshGallery()
{
    const int own = session_.hasDiploma() ? session_.templateNumber() : 0;
    const QList<platform::TemplateFile> files = platform::templateFilesIn(session_.templatesFolder());
    // The filter offers the occasions the catalogue has.
    refreshOccasions(gallerySections(files, layouts_, QString(), QString()));
    const QList<GallerySection> sections = gallerySections(files, layouts_, occasionFilter_->currentData().toString(),
                                                           gallerySearch_->text());
    const QSignalBlocker quiet(gallery_);
    gallery_->clear();
    for (const GallerySection &section : sections) {
        if (!section.title.isEmpty()) {
            // A title between the sections: neither chosen nor stopped at.
            auto *header = new QListWidgetItem(section.title, gallery_);
            header->setFlags(Qt::NoItemFlags);
            QFont bold = header->font();
            bold.setBold(true);
            header->setFont(bold);
        }
        for (const GalleryEntry &t : section.entries) {
            auto *item = new QListWidgetItem(t.title.isEmpty() ? QStringLiteral("nr %1").arg(t.number)
                                                               : QStringLiteral("nr %1\n%2").arg(t.number).arg(t.title),
                                             gallery_);
            item->setData(Qt::UserRole, t.number);
            item->setData(Qt::UserRole + 1, t.path);
            item->setToolTip(item->text());
            const QImage image = thumbnails_->get(t.path);
            if (!image.isNull())
                item->setIcon(QIcon(QPixmap::fromImage(image)));
            if (t.number == own)
                gallery_->setCurrentItem(item);
        }
    }
}

void ClassWindow::reloadLayouts()
{
    layouts_ = uklady::layoutTableFor(session_.templatesFolder(), nullptr);
    refreshGallery();
}

void ClassWindow::addOwnTemplate()
{
    if (designImport_->running())
        return; // one design at a time; the button is off meanwhile
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Dodaj własny wzór");
    s.filter = QStringLiteral("Projekty (*.svg *.png *.jpg *.jpeg *.pdf);;Wszystkie pliki (*)");
    s.initialFolder = lastFolder(settings::Folder::Design);
    const auto path = platform::services().openFileName(this, s);
    if (!path)
        return;
    rememberFolder(settings::Folder::Design, *path);
    if (designImport_->start(*path, session_.templatesFolder()))
        addTemplateButton_->setEnabled(false); // until dyplom-wzory has finished
}

void ClassWindow::designAdded(int number, const QString &error)
{
    addTemplateButton_->setEnabled(true);
    if (number <= 0) {
        platform::services().reportError(this, error);
        return;
    }
    refreshGallery();
    useTemplate(number);
}

void ClassWindow::useTemplate(int number)
{
    {
        // The gallery shows the choice; its signals would only repeat it.
        const QSignalBlocker quiet(gallery_);
        for (int i = 0; i < gallery_->count(); ++i)
            if (gallery_->item(i)->data(Qt::UserRole).toInt() == number)
                gallery_->setCurrentRow(i);
    }
    if (!session_.hasDiploma() || number == session_.templateNumber())
        return;
    session_.chooseTemplate(number);
    followDesignOrientation(number);
    refreshDiploma();
    rebuildPages();
}

void ClassWindow::followDesignOrientation(int number)
{
    const auto design = layouts_.constFind(number);
    if (design != layouts_.cend())
        landscapeBox_->setChecked(design->landscape); // a landscape design is printed on landscape paper
}

void ClassWindow::optionsChanged()
{
    ClassSession::Options o;
    o.shrink = shrinkBox_->isChecked();
    o.centre = centreBox_->isChecked();
    o.textBackground = backgroundBox_->isChecked();
    o.sheets = sheetLayout();
    session_.setOptions(o);
    settings::setOptions(o);
    rebuildPages();
}

void ClassWindow::rebuildPages()
{
    // Fitting a long list takes a while: a copy of the session makes the
    // pages on a worker; the newest request wins.
    const quint64 generation = ++buildGeneration_;
    building_ = true;
    for (QPushButton *b : outputButtons_)
        b->setEnabled(false);
    countsLabel_->setText(QStringLiteral("Układanie stron…"));
    auto snapshot = std::make_shared<const ClassSession>(session_);
    auto built = std::make_shared<ClassSession::Built>();
    runner_->run([snapshot, built] { *built = snapshot->build(); },
                 [this, generation, built] {
                     if (generation != buildGeneration_)
                         return;
                     session_.apply(std::move(*built));
                     model_->pagesMade();
                     building_ = false;
                     showPages();
                 });
}

void ClassWindow::showPages()
{
    const int count = int(session_.pages().size());
    countsLabel_->setText(session_.hasList() ? session_.countsLine() : QString());
    pageSpin_->blockSignals(true);
    pageSpin_->setRange(count > 0 ? 1 : 0, std::max(1, count));
    pageSpin_->blockSignals(false);
    pageCount_->setText(QStringLiteral("z %1").arg(count));
    refreshProblems();
    for (QPushButton *b : outputButtons_)
        b->setEnabled(!busy_ && !session_.blocked());
    showPage(std::min(page_, std::max(0, count - 1)));
}

void ClassWindow::selectRowOf(int page)
{
    const int line = session_.pages().value(page).line;
    for (int r = 0; r < session_.rowCount(); ++r)
        if (session_.rowLine(r) == line) {
            QSignalBlocker quiet(table_->selectionModel());
            table_->selectRow(r);
            table_->scrollTo(model_->index(r, 0));
            return;
        }
}

void ClassWindow::refreshProblems()
{
    problems_->clear();
    for (const Problem &p : session_.problems()) {
        auto *item = new QListWidgetItem(
            p.page >= 0 ? QStringLiteral("str. %1: %2").arg(p.page + 1).arg(p.text) : p.text, problems_);
        item->setData(Qt::UserRole, p.page);
        if (p.error)
            item->setForeground(widgets::Maroon);
    }
}

void ClassWindow::showPage(int index)
{
    const int count = int(session_.pages().size());
    if (count == 0) {
        page_ = 0;
        preview_ = QImage();
        previewLabel_->setPixmap(QPixmap());
        return;
    }
    page_ = qBound(0, index, count - 1);
    pageSpin_->blockSignals(true);
    pageSpin_->setValue(page_ + 1);
    pageSpin_->blockSignals(false);
    requestPreview();
}

void ClassWindow::requestPreview()
{
    const quint64 generation = ++generation_;
    const printing::PrintInput input = session_.pages().at(page_).input;
    auto image = std::make_shared<QImage>();
    runner_->run(
        [input, image] {
            try {
                *image = batch::pageImage(input, printing::SheetGeometry::a4(600), PreviewDpi);
            } catch (const std::exception &) {
                // The template's failure is in the problem list.
            }
        },
        [this, generation, image] {
            if (generation != generation_)
                return; // a newer request wins
            preview_ = *image;
            showPreview();
        });
}

void ClassWindow::updateTitle()
{
    // The list's name; Qt adds the program's display name ("… — Dyplomy dla klasy"). Without a
    // list the title is that name itself: an empty title leaves the window unnamed.
    setWindowTitle(session_.hasList() ? QFileInfo(session_.listName()).fileName()
                                      : QGuiApplication::applicationDisplayName());
}

void ClassWindow::showPreview()
{
    if (preview_.isNull()) {
        previewLabel_->setPixmap(QPixmap());
        return;
    }
    const QSize room = previewLabel_->size() - QSize(8, 8);
    previewLabel_->setPixmap(QPixmap::fromImage(preview_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void ClassWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    showPreview();
}

void ClassWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageDown)
        showPage(page_ + 1);
    else if (event->key() == Qt::Key_PageUp)
        showPage(page_ - 1);
    else
        QMainWindow::keyPressEvent(event);
}

void ClassWindow::savePdf()
{
    if (busy_ || building_ || session_.blocked())
        return;
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Zapisz PDF");
    s.filter = QStringLiteral("Dokumenty PDF (*.pdf)");
    s.defaultExtension = QStringLiteral("*.pdf");
    s.initialFolder = lastFolder(settings::Folder::Output);
    s.fileName = (session_.hasList() ? QFileInfo(session_.listName()).completeBaseName()
                                     : QFileInfo(session_.diplomaPath()).completeBaseName())
                 + QStringLiteral(".pdf");
    s.overwritePrompt = true;
    const auto path = platform::services().saveFileName(this, s);
    if (!path || path->isEmpty())
        return;
    rememberFolder(settings::Folder::Output, *path);
    startRun(session_.pdfPlan(*path, QFileInfo::exists(*path)), session_.pages(), // the dialog asked
             QStringLiteral("Zapisano %1 w %2").arg(dyplomy(int(session_.pages().size())), QFileInfo(*path).fileName()));
}

void ClassWindow::saveSeparate()
{
    if (busy_ || building_ || session_.blocked())
        return;
    platform::FileDialogSettings s;
    s.title = QStringLiteral("Osobne pliki PDF: folder");
    s.initialFolder = lastFolder(settings::Folder::Output);
    const auto chosen = platform::services().chooseFolder(this, s);
    if (!chosen || chosen->isEmpty())
        return;
    const QString folder = QFileInfo(*chosen).absoluteFilePath();
    const QString caption = QStringLiteral("Osobne pliki PDF");
    const auto clearResult = [this] {
        resultLabel_->clear(); // an earlier "Zapisano…" is not this answer's
        openFolderButton_->setVisible(false);
    };
    if (!batch::nameTaken(folder)) {
        if (!platform::services().ask(
                this, QStringLiteral("Folder %1 nie istnieje. Utworzyć go?").arg(QDir::toNativeSeparators(folder)),
                caption)) {
            clearResult();
            return;
        }
        if (!QDir().mkpath(folder)) {
            // The reason is the nearest folder that exists.
            QString parent = QFileInfo(folder).path();
            while (!QFileInfo::exists(parent) && parent != QFileInfo(parent).path())
                parent = QFileInfo(parent).path();
            if (doneOrReported(this, [&] { checkFolderWritable(parent); }))
                platform::services().reportError(this, QStringLiteral("%1: nie można utworzyć folderu").arg(folder));
            clearResult();
            return;
        }
    }
    settings::setFolder(settings::Folder::Output, folder); // the folder itself
    batch::BatchPlan plan = session_.separatePlan(folder, nameOrder_->currentIndex() == 1);
    int taken = 0;
    // A folder or file that cannot be written is said before any question.
    if (!doneOrReported(this, [&] {
            checkFolderWritable(folder);
            taken = replaceableTaken(folder, batch::perPageFileNames(session_.pages(), plan.outputs.first().stems));
        })) {
        clearResult();
        return;
    }
    if (taken > 0) {
        if (!platform::services().ask(
                this,
                QStringLiteral("W folderze %1 %2 %3 o tych samych nazwach. Zastąpić %4?")
                    .arg(QDir::toNativeSeparators(folder),
                         batch::pluralNoun(taken, QStringLiteral("jest już"), QStringLiteral("są już"),
                                           QStringLiteral("jest już")),
                         batch::plural(taken, QStringLiteral("plik"), QStringLiteral("pliki"), QStringLiteral("plików")),
                         taken == 1 ? QStringLiteral("go") : QStringLiteral("je")),
                caption)) {
            clearResult();
            return;
        }
        plan.overwrite = true;
    }
    startRun(plan, session_.pages(),
             QStringLiteral("Zapisano %1 w folderze %2")
                 .arg(dyplomy(int(session_.pages().size())), QFileInfo(folder).fileName()));
}

void ClassWindow::printPages()
{
    if (busy_ || building_ || session_.blocked())
        return;
    const batch::SheetLayout sheets = sheetLayout();
    const QString unfit = batch::layoutError(sheets);
    if (!unfit.isEmpty()) {
        platform::services().reportError(this, QStringLiteral("Nie można ułożyć dyplomów: %1.").arg(unfit));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const QSizeF sheetMm = sheets.sheetMm();
    printer.setPageSize(sheets.isPlain()
                            ? QPageSize(QPageSize::A4)
                            : QPageSize(paperSizeMmUpright(sheetMm), QPageSize::Millimeter, sheets.sheetPaper()));
    if (sheetMm.width() > sheetMm.height())
        printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(1, int(session_.pages().size()));
    if (!platform::services().printDialog(this, printer))
        return;
    const QString refused = unsupportedPrintChoice(printer, sheets);
    if (!refused.isEmpty()) {
        platform::services().reportError(this, refused);
        return;
    }
    const QList<batch::Page> pages = pagesToPrint(printer, session_.pages(), page_);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // "Print to file" in the dialog: the same compact PDF, in that file.
        const QString path = printer.outputFileName();
        startRun(session_.pdfPlan(path, true), pages, // the dialog asked
                 QStringLiteral("Zapisano %1 w %2").arg(dyplomy(int(pages.size())), QFileInfo(path).fileName()));
        return;
    }
    if (printer.printerName().isEmpty()) {
        platform::services().reportError(this, QStringLiteral("Nie wybrano drukarki."));
        return;
    }
    const batch::BatchPlan plan = session_.printPlan(printer.printerName(), printing::printerGeometry(printer));
    const int copies = std::max(1, printer.copyCount());
    startRun(plan, pages,
             QStringLiteral("Wysłano %1 do drukarki %2")
                 .arg(copies > 1 ? QStringLiteral("%1 (%2)").arg(dyplomy(int(pages.size()) / copies),
                                                                 batch::plural(copies, QStringLiteral("egzemplarz"),
                                                                               QStringLiteral("egzemplarze"),
                                                                               QStringLiteral("egzemplarzy")))
                                 : dyplomy(int(pages.size())),
                      printer.printerName()));
}

void ClassWindow::calibratePrinter()
{
    CalibrationDialog dialog(QPrinterInfo::availablePrinterNames(), this);
    dialog.submit = printSubmit;
    platform::services().runDialog(dialog);
}

void ClassWindow::recallTextOnly()
{
    const QSignalBlocker quiet(textOnlyBox_);
    textOnlyBox_->setChecked(settings::textOnly(session_.diplomaPath()));
}

void ClassWindow::startRun(const batch::BatchPlan &requested, const QList<batch::Page> &pages, const QString &doneText)
{
    batch::BatchPlan plan = requested;
    plan.textOnly = textOnlyBox_->isChecked();
    plan.layout = sheetLayout();
    const QString unfit = batch::layoutError(plan.layout);
    if (!unfit.isEmpty()) {
        platform::services().reportError(this, QStringLiteral("Nie można ułożyć dyplomów: %1.").arg(unfit));
        return;
    }
    for (batch::PlannedOutput &out : plan.outputs)
        if (out.kind == batch::BatchOutput::PrintJob)
            out.correction = batch::CalibrationStore().forPrint(out.printer, std::nullopt, plan.layout.sheetPaper());
    busy_ = true;
    for (QPushButton *b : outputButtons_)
        b->setEnabled(false);
    progress_->setRange(0, int(pages.size()));
    progress_->setValue(0);
    progress_->setVisible(true);
    cancelButton_->setVisible(true);
    cancelButton_->setEnabled(true);
    openFolderButton_->setVisible(false);
    resultLabel_->setText(QStringLiteral("Zapisywanie…"));
    cancel_ = std::make_shared<std::atomic_bool>(false);
    auto cancel = cancel_;
    auto error = std::make_shared<QString>();
    auto cancelled = std::make_shared<bool>(false);
    TaskRunner *runner = saveRunner_;
    const batch::PrintSubmit submit = printSubmit;
    const batch::PlannedOutput &out = plan.outputs.first();
    const QString folder = out.kind == batch::BatchOutput::PdfPerPage ? out.path : QFileInfo(out.path).absolutePath();
    saveRunner_->run(
        [=] {
            try {
                batch::runBatch(
                    plan, pages,
                    [=](int done, int total) {
                        runner->toGui([this, done, total] {
                            progress_->setValue(done);
                            emit progressed(done, total);
                        });
                    },
                    cancel.get(), submit);
            } catch (const batch::Cancelled &) {
                *cancelled = true;
            } catch (const std::exception &e) {
                *error = QString::fromUtf8(e.what());
            }
        },
        [=] { finishRun(doneText, folder, *error, *cancelled); });
}

void ClassWindow::finishRun(const QString &doneText, const QString &folder, const QString &error, bool cancelled)
{
    busy_ = false;
    progress_->setVisible(false);
    cancelButton_->setVisible(false);
    for (QPushButton *b : outputButtons_)
        b->setEnabled(!building_ && !session_.blocked());
    if (cancelled) {
        resultLabel_->setText(QStringLiteral("Anulowano: nic nie zostało zapisane."));
        return;
    }
    if (!error.isEmpty()) {
        resultLabel_->setText(QStringLiteral("Nie zapisano."));
        platform::services().reportError(this, error);
        return;
    }
    resultLabel_->setText(doneText);
    resultFolder_ = folder;
    openFolderButton_->setVisible(true);
}

void ClassWindow::cancelRun()
{
    if (cancel_)
        cancel_->store(true);
    cancelButton_->setEnabled(false);
}

} // namespace klasa
