#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "widgets/ClickableLabel.h"

namespace vorlaken {

class Desktop;

// The Picture URLs Builder TfrmSerial: makes the variable parts of a run of addresses (letters, digits,
// numbers) and builds the addresses from them. Created for one use; its Ok is taken only with built
// addresses, and the caller reads them from builtUrls().
class SerialDialog : public QDialog {
    Q_OBJECT
  public:
    static const QString kNothingMessage;

    SerialDialog(Desktop& desktop, QWidget* parent = nullptr);

    QString builtUrls() const { return built_->toPlainText(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void append(QPlainTextEdit* memo, const QStringList& lines);
    void onMake();
    void onBuild();
    void onOk();
    void buildMenu();
    // The memo the context menu acts on: the parts when they have the focus, else the built addresses.
    QPlainTextEdit* menuMemo() const;
    void updateMenu();

    Desktop& desktop_;
    QLineEdit* prefix_;       // Edit1
    QLineEdit* postfix_;      // Edit2
    QSpinBox* from_;          // SpinEdit1
    QSpinBox* to_;            // SpinEdit2
    QCheckBox* leadingZero_;  // CheckBox1
    QPlainTextEdit* parts_;   // Memo1
    QPlainTextEdit* built_;   // Memo2
    QMenu* menu_;             // PopupMenu1
    QAction* copyItem_ = nullptr;
    QAction* cutItem_ = nullptr;
};

}  // namespace vorlaken
