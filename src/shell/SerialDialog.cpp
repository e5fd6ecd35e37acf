#include "shell/SerialDialog.h"

#include <climits>

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Desktop.h"
#include "modes/MemoLines.h"
#include "modes/UrlSerial.h"
#include "widgets/ComponentName.h"

namespace vorlaken {

const QString SerialDialog::kNothingMessage = QStringLiteral("Nothing input");

SerialDialog::SerialDialog(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("TfrmSerial"));
    setWindowTitle(QStringLiteral("Picture URLs Builder"));
    // A dialog of one use: closing it ends it.
    setAttribute(Qt::WA_DeleteOnClose);

    prefix_ = named(new QLineEdit(QStringLiteral("http://www.example.com/pictures/")), "Edit1");
    postfix_ = named(new QLineEdit(QStringLiteral(".jpg")), "Edit2");
    from_ = named(new QSpinBox, "SpinEdit1");
    to_ = named(new QSpinBox, "SpinEdit2");
    for (QSpinBox* bound : {from_, to_})
        bound->setRange(INT_MIN, INT_MAX);
    from_->setValue(1);
    to_->setValue(10);
    leadingZero_ = named(new QCheckBox(QStringLiteral("Leading zero")), "CheckBox1");
    auto* lower = named(new ClickableLabel(QStringLiteral("a-z")), "Label5");
    auto* upper = named(new ClickableLabel(QStringLiteral("A-Z")), "Label6");
    auto* digits = named(new ClickableLabel(QStringLiteral("0-9")), "Label7");
    auto* make = named(new QPushButton(QStringLiteral("make")), "SpeedButton1");
    parts_ = named(new QPlainTextEdit, "Memo1");
    built_ = named(new QPlainTextEdit, "Memo2");
    for (QPlainTextEdit* memo : {parts_, built_})
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* build = named(new QPushButton(QStringLiteral("Build")), "Button1");
    // "Copy the right-hand content to the left", as the hint of the original says in Chinese.
    auto* back = named(new QPushButton(QStringLiteral("<<<<")), "Button4",
                       QStringLiteral("\u628a\u53f3\u8fb9\u7684\u5185\u5bb9\u590d\u5236\u5230\u5de6\u8fb9"));
    auto* ok = named(new QPushButton(QStringLiteral("Ok")), "Button2");
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel")), "Button3");
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("prefix:")), 0, 0);
    grid->addWidget(prefix_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("postfix:")), 1, 0);
    grid->addWidget(postfix_, 1, 1, 1, 3);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("from:")));
    range->addWidget(from_);
    range->addWidget(new QLabel(QStringLiteral("to:")));
    range->addWidget(to_);
    range->addWidget(leadingZero_);
    range->addWidget(make);
    range->addStretch(1);
    grid->addLayout(range, 2, 0, 1, 4);
    auto* sequences = new QHBoxLayout;
    sequences->addWidget(new QLabel(QStringLiteral("variable:")));
    sequences->addWidget(lower);
    sequences->addWidget(upper);
    sequences->addWidget(digits);
    sequences->addStretch(1);
    grid->addLayout(sequences, 3, 0, 1, 2);
    grid->addWidget(parts_, 4, 0, 1, 2);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(build);
    middle->addWidget(back);
    middle->addStretch(1);
    grid->addLayout(middle, 4, 2);
    grid->addWidget(built_, 4, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 5, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    resize(560, 420);

    connect(lower, &ClickableLabel::clicked, this,
            [this] { append(parts_, UrlSerial::characters('a', 'z')); });
    connect(upper, &ClickableLabel::clicked, this,
            [this] { append(parts_, UrlSerial::characters('A', 'Z')); });
    connect(digits, &ClickableLabel::clicked, this,
            [this] { append(parts_, UrlSerial::characters('0', '9')); });
    connect(make, &QPushButton::clicked, this, &SerialDialog::onMake);
    connect(build, &QPushButton::clicked, this, &SerialDialog::onBuild);
    connect(back, &QPushButton::clicked, this, [this] { parts_->setPlainText(built_->toPlainText()); });
    connect(ok, &QPushButton::clicked, this, &SerialDialog::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* edit : {prefix_, postfix_})
        edit->installEventFilter(this);
    buildMenu();
}

bool SerialDialog::eventFilter(QObject* watched, QEvent* event) {
    // Entering the prefix or the postfix selects it whole, after the click that placed the cursor.
    if (event->type() == QEvent::FocusIn) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit)
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void SerialDialog::append(QPlainTextEdit* memo, const QStringList& lines) {
    memo->setPlainText(MemoLines::append(memo->toPlainText(), lines));
}

void SerialDialog::onMake() {
    const QStringList numbers = UrlSerial::numbers(from_->value(), to_->value(), leadingZero_->isChecked());
    if (numbers.isEmpty()) {
        desktop_.showMessage(UrlSerial::kTooManyMessage);
        return;
    }
    append(parts_, numbers);
}

void SerialDialog::onBuild() {
    append(built_,
           UrlSerial::build(MemoLines::split(parts_->toPlainText()), prefix_->text(), postfix_->text()));
}

void SerialDialog::onOk() {
    if (MemoLines::count(built_->toPlainText()) < 1) {
        desktop_.showMessage(kNothingMessage);
        return;
    }
    accept();
}

void SerialDialog::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char* caption, auto command) {
        QAction* action = menu_->addAction(QString::fromLatin1(caption));
        action->setObjectName(QStringLiteral("serial") + QString::fromLatin1(caption).remove(u' '));
        connect(action, &QAction::triggered, this, [this, command] { command(menuMemo()); });
        return action;
    };
    copyItem_ = item("copy", [this](QPlainTextEdit* memo) {
        const QString text = memo->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
        if (!text.isEmpty())
            desktop_.setClipboardText(text);
    });
    item("paste", [](QPlainTextEdit* memo) { memo->paste(); });
    cutItem_ = item("cut", [this](QPlainTextEdit* memo) {
        QTextCursor cursor = memo->textCursor();
        if (!cursor.hasSelection())
            return;
        desktop_.setClipboardText(cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
        cursor.removeSelectedText();
        memo->setTextCursor(cursor);
    });
    item("empty", [](QPlainTextEdit* memo) { memo->clear(); });
    item("select all", [](QPlainTextEdit* memo) { memo->selectAll(); });
    item("undo", [](QPlainTextEdit* memo) { memo->undo(); });
    connect(menu_, &QMenu::aboutToShow, this, &SerialDialog::updateMenu);
    for (QPlainTextEdit* memo : {parts_, built_}) {
        memo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& at) {
            memo->setFocus(Qt::PopupFocusReason);
            menu_->popup(memo->mapToGlobal(at));
        });
        connect(memo, &QPlainTextEdit::selectionChanged, this, &SerialDialog::updateMenu);
    }
    connect(qApp, &QApplication::focusChanged, this, &SerialDialog::updateMenu);
    updateMenu();
}

QPlainTextEdit* SerialDialog::menuMemo() const {
    return parts_->hasFocus() ? parts_ : built_;
}

void SerialDialog::updateMenu() {
    copyItem_->setEnabled(menuMemo()->textCursor().hasSelection());
    cutItem_->setEnabled(copyItem_->isEnabled());
}

}  // namespace vorlaken
