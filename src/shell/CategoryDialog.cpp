#include "shell/CategoryDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/Desktop.h"
#include "save/SaveState.h"

namespace vorlaken {

CategoryDialog::CategoryDialog(SaveState& save, Desktop& desktop, QString catFile, QWidget* parent)
    : QDialog(parent),
      save_(save),
      desktop_(desktop),
      catFile_(std::move(catFile)),
      editor_(save.categoriesOn),
      categoriesEdit_(new QPlainTextEdit),
      categoriesOnCheck_(new QCheckBox(QStringLiteral("save pictures under categories"))),
      defaultCategoryLabel_(new ClickableLabel(QStringLiteral("Default Category"))),
      okButton_(new QPushButton(QStringLiteral("Ok"))),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"))) {
    setObjectName(QStringLiteral("TfrmCat"));
    setWindowTitle(QStringLiteral("Picture Category"));
    setModal(true);
    categoriesEdit_->setObjectName(QStringLiteral("cat"));
    categoriesEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    categoriesOnCheck_->setObjectName(QStringLiteral("CheckBox1"));
    defaultCategoryLabel_->setObjectName(QStringLiteral("Label1"));
    defaultCategoryLabel_->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    defaultCategoryLabel_->setCursor(Qt::PointingHandCursor);
    okButton_->setObjectName(QStringLiteral("savecat"));
    cancelButton_->setObjectName(QStringLiteral("cancelcat"));
    okButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultCategoryLabel_);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(categoriesOnCheck_);
    layout->addWidget(categoriesEdit_);
    layout->addLayout(buttons);
    resize(340, 420);

    categoriesOnCheck_->setChecked(editor_.checked);
    fromEditor();
    connect(categoriesOnCheck_, &QCheckBox::toggled, this, [this](bool on) {
        editor_.setChecked(on);
        categoriesEdit_->setEnabled(editor_.textEnabled());
    });
    connect(defaultCategoryLabel_, &ClickableLabel::clicked, this, [this] {
        editor_.RestoreDefaults();
        categoriesEdit_->setPlainText(editor_.text);
    });
    connect(okButton_, &QPushButton::clicked, this, &CategoryDialog::onOk);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void CategoryDialog::fromEditor() {
    categoriesEdit_->setPlainText(editor_.text);
    categoriesEdit_->setEnabled(editor_.textEnabled());
}

void CategoryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loaded_)
        return;
    loaded_ = true;
    editor_.loadFile(catFile_);
    fromEditor();
}

void CategoryDialog::onOk() {
    editor_.text = categoriesEdit_->toPlainText();
    const bool closes = editor_.Confirm(save_, desktop_, catFile_);
    // The cleaned lines are shown whether or not the dialog closes.
    categoriesEdit_->setPlainText(editor_.text);
    if (closes)
        accept();
}

}  // namespace vorlaken
