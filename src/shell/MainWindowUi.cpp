#include "shell/MainWindowUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QVBoxLayout>

namespace vorlaken {

namespace {

const QString kZeroHint = QStringLiteral("Condiction ignored if Zero");

template <typename T>
T* named(T* widget, const char* name, const QString& hint = QString()) {
    widget->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

QAction* action(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

QSpinBox* limitBox(const char* name) {
    auto* box = named(new QSpinBox, name, kZeroHint);
    box->setRange(0, 99999);
    box->setValue(80);
    return box;
}

QComboBox* list(const char* name, const QStringList& items, int index) {
    auto* box = named(new QComboBox, name);
    box->addItems(items);
    box->setCurrentIndex(index);
    return box;
}

// Text filters hold lower case only: every typed letter is lowered at once.
QLineEdit* filterBox(const char* name) {
    auto* edit = named(new QLineEdit, name);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString lower = text.toLower();
        if (lower != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(lower);
            edit->setCursorPosition(cursor);
        }
    });
    return edit;
}

QStringList sizeModes() {
    return {QStringLiteral("lower limit"), QStringLiteral("upper limit"), QStringLiteral("exactly")};
}

QWebEngineView* zone(const char* name) {
    auto* view = named(new QWebEngineView, name);
    view->setMinimumSize(40, 20);
    return view;
}

}  // namespace

void MainWindowUi::build(QMainWindow* window) {
    auto* central = named(new QWidget(window), "Panel1");
    window->setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);

    PageControl1 = named(new QTabWidget, "PageControl1");
    PageControl1->tabBar()->hide();
    PageControl1->setDocumentMode(true);
    buildMainPage();
    buildOptionsPage();
    buildEnhancedPages();
    buildHelpPage();
    PageControl1->addTab(mainPage, QStringLiteral("Get"));
    PageControl1->addTab(optionsPage, QStringLiteral("Options"));
    PageControl1->addTab(enhancedPage, QStringLiteral("Enhanced"));
    PageControl1->addTab(helpPage, QStringLiteral("Help"));
    PageControl1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    PageControl1->setFixedHeight(190);
    outer->addWidget(PageControl1);

    buildButtonBar(central);
    outer->addWidget(Panel6);

    Splitter1 = named(new QSplitter(Qt::Horizontal), "Splitter1");
    wb1 = zone("wb1");
    Panel2 = named(new QWidget, "Panel2");
    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    wb2 = zone("wb2");
    panel2Layout->addWidget(wb2);
    Splitter1->addWidget(wb1);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 1);
    outer->addWidget(Splitter1, 1);

    auto* bottom = named(new QWidget, "Panel3");
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    wbad = zone("wbad");
    wbad->setFixedHeight(44);
    wbad->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* labelPanel = named(new QWidget, "Panel4");
    auto* labelLayout = new QHBoxLayout(labelPanel);
    Label53 =
        named(new QLabel(QStringLiteral("Introduce this software to friends if it is useful")), "Label53");
    Label53->setEnabled(false);
    labelLayout->addWidget(Label53);
    bottomLayout->addWidget(wbad, 1);
    bottomLayout->addWidget(labelPanel);
    outer->addWidget(bottom);

    dragPanels = {mainPage, optionsPage, helpPage, labelPanel, Panel6};
}

void MainWindowUi::buildMainPage() {
    mainPage = named(new QWidget, "TabSheet_get");
    // The main panel's background gradient; its start colour is the preview's background.
    mainPage->setAutoFillBackground(true);
    QPalette palette = mainPage->palette();
    QLinearGradient gradient(0, 0, 0, 190);
    gradient.setColorAt(0, QColor(0xFE, 0xF9, 0xED));
    gradient.setColorAt(1, QColor(0xF3, 0xE3, 0xBD));
    palette.setBrush(QPalette::Window, QBrush(gradient));
    mainPage->setPalette(palette);

    auto* grid = new QGridLayout(mainPage);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    cbtitle = named(new QComboBox, "cbtitle");
    cbtitle->setEditable(true);
    cbtitle->setInsertPolicy(QComboBox::NoInsert);
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->setReadOnly(true);
    Edit2->hide();
    lockchk = named(new QCheckBox(QStringLiteral("Lock")), "lockchk",
                    QStringLiteral("Do not change web page title even the webpage URL is changed"));
    grid->addWidget(new QLabel(QStringLiteral("Title:")), 0, 0);
    grid->addWidget(cbtitle, 0, 1, 1, 5);
    grid->addWidget(lockchk, 0, 6);
    grid->addWidget(Edit2, 0, 7);

    SpinEdit1 = limitBox("SpinEdit1");
    SpinEdit2 = limitBox("SpinEdit2");
    cbsize = list("cbsize", sizeModes(), 0);
    grid->addWidget(new QLabel(QStringLiteral("Width:")), 1, 0);
    grid->addWidget(SpinEdit1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height:")), 1, 2);
    grid->addWidget(SpinEdit2, 1, 3);
    grid->addWidget(cbsize, 1, 4);

    Edit3 = filterBox("Edit3");
    Edit4 = filterBox("Edit4");
    grid->addWidget(new QLabel(QStringLiteral("URL include:")), 2, 0);
    grid->addWidget(Edit3, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 2, 2);
    grid->addWidget(Edit4, 2, 3, 1, 2);
    linkEdit1 = filterBox("linkEdit1");
    linkEdit2 = filterBox("linkEdit2");
    grid->addWidget(new QLabel(QStringLiteral("Link include:")), 3, 0);
    grid->addWidget(linkEdit1, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 3, 2);
    grid->addWidget(linkEdit2, 3, 3, 1, 2);

    CheckBox4 = named(new QCheckBox(QStringLiteral("merge")), "CheckBox4",
                      QStringLiteral("Merge pictures from several webpages"));
    selectbtn = named(new QPushButton(QStringLiteral("Select")), "selectbtn");
    selectPopupMenu = named(new QMenu(selectbtn), "selectPopupMenu");
    chkLink = action(selectPopupMenu, "chkLink", QStringLiteral("Pictures with links"), true);
    nearbychk = action(selectPopupMenu, "nearbychk", QStringLiteral("Link near by"), true);
    selectbtn->setMenu(selectPopupMenu);
    selectbtn->setMaximumWidth(110);
    grid->addWidget(CheckBox4, 4, 1);
    grid->addWidget(selectbtn, 4, 3);

    getbtn = named(new QPushButton(QStringLiteral("Get")), "getbtn");
    getbtn->setEnabled(false);
    savebtn = named(new QPushButton(QStringLiteral("Save")), "savebtn");
    savebtn->setEnabled(false);
    savemorebtn = named(new QPushButton, "savemorebtn");
    savemorebtn->setFixedWidth(30);
    savePopupMenu = named(new QMenu(savemorebtn), "savePopupMenu");
    N28 = action(savePopupMenu, "N28", QStringLiteral("Specify file folder to save pictures..."));
    N29 = action(savePopupMenu, "N29", QStringLiteral("Open local folder"));
    N32 = action(savePopupMenu, "N32", QStringLiteral("rember last folder"), true);
    N32->setChecked(true);
    savemorebtn->setMenu(savePopupMenu);
    getbtn->setMinimumHeight(34);
    savebtn->setMinimumHeight(34);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(getbtn);
    buttons->addWidget(savebtn);
    buttons->addWidget(savemorebtn);
    grid->addLayout(buttons, 1, 6, 2, 2);

    cLabel = named(new QLabel(QStringLiteral("Total:0")), "cLabel");
    Label3 = named(new QLabel(QStringLiteral("Saved:0/0")), "Label3");
    QFont counter = cLabel->font();
    counter.setBold(true);
    cLabel->setFont(counter);
    grid->addWidget(cLabel, 3, 6);
    grid->addWidget(Label3, 3, 7);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(5, 1);
}

void MainWindowUi::buildOptionsPage() {
    optionsPage = named(new QWidget, "TabSheet_options");
    auto* grid = new QGridLayout(optionsPage);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);

    cb1 = list("cb1", {QStringLiteral("default"), QStringLiteral("vista")}, 1);
    cb1->setToolTip(QStringLiteral("Please choose one skin"));
    grid->addWidget(new QLabel(QStringLiteral("Program skin:")), 0, 0);
    grid->addWidget(cb1, 0, 1);

    chkhorizontal = named(new QCheckBox(QStringLiteral("thumbnail")), "chkhorizontal",
                          QStringLiteral("thumbnail preview"));
    chkhorizontal->setChecked(true);
    CheckBox1 = named(new QCheckBox(QStringLiteral("origin size")), "CheckBox1",
                      QStringLiteral("Display pictures with origin size"));
    whCheck = named(new QCheckBox(QStringLiteral("show size")), "whCheck",
                    QStringLiteral("Show or hide width and height"));
    whCheck->setChecked(true);
    grid->addWidget(chkhorizontal, 1, 0);
    grid->addWidget(CheckBox1, 1, 1);
    grid->addWidget(whCheck, 1, 2);

    inputchk =
        named(new QCheckBox(QStringLiteral("special process")), "inputchk",
              QStringLiteral("If you find the program can not fetch pictures from some webpages, you may "
                             "check this option and then click Get.  Note the option reduce program "
                             "efficiency."));
    savechk = named(new QCheckBox(QStringLiteral("local webpage")), "savechk",
                    QStringLiteral("Generate a local html file to show the  information of pictures"));
    savechk->setChecked(true);
    zipChk = named(new QCheckBox(QStringLiteral("zip package")), "zipChk",
                   QStringLiteral("generate a zip file which  combine all  files of picture."));
    grid->addWidget(inputchk, 2, 0);
    grid->addWidget(savechk, 2, 1);
    grid->addWidget(zipChk, 2, 2);

    extchk = named(new QCheckBox(QStringLiteral("force extension")), "extchk",
                   QStringLiteral("force using the default picture file name extension "));
    extchk->setChecked(true);
    autoextchk =
        named(new QCheckBox(QStringLiteral("auto recognise")), "autoextchk",
              QStringLiteral("auto recognise picture type and add correct extension to the file name"));
    autoextchk->setChecked(true);
    cbext = list(
        "cbext",
        {QStringLiteral(".jpg"), QStringLiteral(".gif"), QStringLiteral(".png"), QStringLiteral(".bmp")}, 0);
    grid->addWidget(extchk, 3, 0);
    grid->addWidget(autoextchk, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Default Ext:")), 3, 2);
    grid->addWidget(cbext, 3, 3);

    cb2 = list("cb2",
               {QStringLiteral("Picture name"), QStringLiteral("Number+Name"), QStringLiteral("Number"),
                QStringLiteral("DateTime+Number")},
               2);
    cb3 = list("cb3",
               {QStringLiteral("Do not create"), QStringLiteral("Web page title"),
                QStringLiteral("Web site domain"), QStringLiteral("Domain+Title")},
               3);
    grid->addWidget(new QLabel(QStringLiteral("Named rule:")), 4, 0);
    grid->addWidget(cb2, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Create sub folder:")), 4, 2);
    grid->addWidget(cb3, 4, 3);

    Edit1 = named(new QLineEdit, "Edit1", QStringLiteral("file name prefix"));
    grid->addWidget(new QLabel(QStringLiteral("File name prefix:")), 5, 0);
    grid->addWidget(Edit1, 5, 1);
    Label106 = named(new ClickableLabel(QStringLiteral("Picture Category Set")), "Label106");
    grid->addWidget(Label106, 5, 2);

    noorgChk =
        named(new QCheckBox(
                  QStringLiteral("do not show origin content while displaying pictures on orgin webpage")),
              "noorgChk",
              QStringLiteral(
                  "Wheather show origin content  when you click  \"display pictures on orgin webpage\""));
    grid->addWidget(noorgChk, 6, 0, 1, 4);

    ieLabel1 = named(new ClickableLabel(QStringLiteral("Display an icon on IE toolbar band(Recommend)")),
                     "ieLabel1");
    ielabel2 =
        named(new ClickableLabel(QStringLiteral("Don't display an icon on IE toolbar band")), "ielabel2");
    grid->addWidget(ieLabel1, 7, 0, 1, 2);
    grid->addWidget(ielabel2, 7, 2, 1, 2);
    grid->setRowStretch(8, 1);
}

void MainWindowUi::buildEnhancedPages() {
    enhancedPage = named(new QWidget, "TabSheet_add");
    auto* layout = new QHBoxLayout(enhancedPage);
    layout->setContentsMargins(4, 4, 4, 4);

    PageControl11 = named(new QTabWidget, "PageControl11");
    PageControl11->tabBar()->hide();
    const char* sheets[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
    // The Get/Save pairs of the modes; their commands arrive with the modes.
    const char* pairs[][2] = {
        {"aabtn", "saveaaBtn"}, {"ccbtn", "saveccbtn"}, {"btn11", "btn12"}, {"", ""}, {"rrbtn", "saverrbtn"}};
    for (int i = 0; i < 5; ++i) {
        auto* sheet = named(new QWidget, sheets[i]);
        auto* sheetLayout = new QGridLayout(sheet);
        if (i == 4) {
            Edit6 = named(new QLineEdit(QStringLiteral("/thumb/")), "Edit6");
            Edit7 = named(new QLineEdit(QStringLiteral("/")), "Edit7");
            sheetLayout->addWidget(new QLabel(QStringLiteral("Replace")), 0, 0);
            sheetLayout->addWidget(Edit6, 0, 1);
            sheetLayout->addWidget(new QLabel(QStringLiteral("with")), 0, 2);
            sheetLayout->addWidget(Edit7, 0, 3);
        }
        if (pairs[i][0][0] != '\0') {
            const bool autoClick = i == 2;
            auto* get = named(new QPushButton(autoClick ? QStringLiteral("4.Get") : QStringLiteral("Get")),
                              pairs[i][0]);
            auto* save = named(new QPushButton(autoClick ? QStringLiteral("5.Save") : QStringLiteral("Save")),
                               pairs[i][1]);
            save->setEnabled(false);
            sheetLayout->addWidget(get, 1, 4);
            sheetLayout->addWidget(save, 2, 4);
            if (autoClick) {
                auto* click = named(new QPushButton(QStringLiteral("Get")), "clickbtn");
                auto* saveClick = named(new QPushButton(QStringLiteral("Save")), "saveclickbtn");
                saveClick->setEnabled(false);
                sheetLayout->addWidget(click, 1, 5);
                sheetLayout->addWidget(saveClick, 2, 5);
            }
        }
        sheetLayout->setRowStretch(3, 1);
        sheetLayout->setColumnStretch(1, 1);
        PageControl11->addTab(sheet, QString::number(i));
    }
    layout->addWidget(PageControl11, 3);

    Panel15 = named(new QGroupBox(QStringLiteral("Filter condiction in enhanced mode:")), "Panel15");
    auto* grid = new QGridLayout(Panel15);
    SpinEdit12 = limitBox("SpinEdit12");
    spinedit22 = limitBox("spinedit22");
    cbsize2 = list("cbsize2", sizeModes(), 0);
    grid->addWidget(new QLabel(QStringLiteral("W")), 0, 0);
    grid->addWidget(SpinEdit12, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("H")), 0, 2);
    grid->addWidget(spinedit22, 0, 3);
    grid->addWidget(cbsize2, 0, 4);
    Edit32 = filterBox("Edit32");
    edit42 = filterBox("edit42");
    linkEdit12 = filterBox("linkEdit12");
    linkEdit22 = filterBox("linkEdit22");
    grid->addWidget(new QLabel(QStringLiteral("URL include:")), 1, 0);
    grid->addWidget(Edit32, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 1, 2);
    grid->addWidget(edit42, 1, 3, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Link include:")), 2, 0);
    grid->addWidget(linkEdit12, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 2, 2);
    grid->addWidget(linkEdit22, 2, 3, 1, 2);
    layout->addWidget(Panel15, 2);
}

void MainWindowUi::buildHelpPage() {
    helpPage = named(new QWidget, "TabSheet_help");
    auto* layout = new QVBoxLayout(helpPage);
    auto* panel = named(new QWidget, "Panel10");
    auto* row = new QHBoxLayout(panel);
    chkupgrade = named(new QCheckBox(QStringLiteral("auto upgrade")), "chkupgrade",
                       QStringLiteral("auto upgrade or not"));
    chkupgrade->setChecked(true);
    Label59 = named(new ClickableLabel(QStringLiteral("Upgrade Now")), "Label59");
    Label11 = named(new ClickableLabel(QStringLiteral("Help & Demo")), "Label11");
    row->addWidget(Label11);
    row->addStretch(1);
    row->addWidget(chkupgrade);
    row->addWidget(Label59);
    layout->addWidget(new QLabel(QStringLiteral("Vorlaken 8.1")));
    layout->addWidget(panel);
    layout->addStretch(1);
    dragPanels.append(panel);
}

void MainWindowUi::buildButtonBar(QWidget* parent) {
    Panel6 = named(new QWidget(parent), "Panel6");
    auto* row = new QHBoxLayout(Panel6);
    row->setContentsMargins(2, 0, 2, 0);
    button1 = named(new QPushButton(QStringLiteral("Main")), "button1", QStringLiteral("show main panel"));
    button3 =
        named(new QPushButton(QStringLiteral("Options")), "button3", QStringLiteral("show options panel"));
    button4 = named(new QPushButton(QStringLiteral("?")), "button4", QStringLiteral("show help panel"));
    button2 = named(new QPushButton(QStringLiteral("Enhanced")), "button2");
    PopupMenu3 = named(new QMenu(button2), "PopupMenu3");
    const char* names[] = {"N3", "N4", "N5", "N6", "N7"};
    const QString captions[] = {
        QStringLiteral("Get Pictures from Multipage"), QStringLiteral("Get Pictures at Intervals"),
        QStringLiteral("Get Pictures by Auto Click"), QStringLiteral("Get Pictures from IE Cahce"),
        QStringLiteral("Get Pictures from URL")};
    for (int i = 0; i < 5; ++i) {
        modeItems[i] = action(PopupMenu3, names[i], captions[i], true);
        modeItems[i]->setData(i);
    }
    PopupMenu3->addSeparator()->setObjectName(QStringLiteral("N8"));
    N9 = action(PopupMenu3, "N9", QStringLiteral("Clear Result"));
    PopupMenu3->addSeparator()->setObjectName(QStringLiteral("N26"));
    n51 = action(PopupMenu3, "n51", QStringLiteral("Show/Hide Enhanced Filter Panel"), true);
    n51->setChecked(true);
    button2->setMenu(PopupMenu3);
    row->addWidget(button1);
    row->addWidget(button3);
    row->addWidget(button2);
    row->addWidget(button4);
    row->addStretch(1);
}

}  // namespace vorlaken
