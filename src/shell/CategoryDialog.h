#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "save/Categories.h"
#include "widgets/ClickableLabel.h"

namespace vorlaken {

class Desktop;
struct SaveState;

// The category editor TfrmCat ("Picture Category"), created for one use. Its Ok applies the edited
// list to the save state through CategoryEditor; Cancel changes nothing.
class CategoryDialog : public QDialog {
    Q_OBJECT
  public:
    CategoryDialog(SaveState& save, Desktop& desktop, QString catFile, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fromEditor();
    void onOk();

    SaveState& save_;
    Desktop& desktop_;
    QString catFile_;
    CategoryEditor editor_;
    bool loaded_ = false;
    QPlainTextEdit* categoriesEdit_;        // cat
    QCheckBox* categoriesOnCheck_;          // CheckBox1
    ClickableLabel* defaultCategoryLabel_;  // Label1
    QPushButton* okButton_;                 // savecat
    QPushButton* cancelButton_;             // cancelcat
};

}  // namespace vorlaken
