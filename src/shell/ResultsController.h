#pragma once

#include <array>
#include <functional>

#include <QObject>
#include <QStringList>

#include "common/Desktop.h"
#include "results/CommentPanel.h"
#include "results/SelectionCommands.h"

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace vorlaken {

class ClickableLabel;
class MainWindow;
class MainWindowUi;

// The result operations of the main window: the "Select" menu, the arrow menu beside "Get", the
// comment panel with its label and menu, and the "More" menu. The comment panel's visibility and
// width live here only; the widgets follow them after every command.
class ResultsController : public QObject {
    Q_OBJECT
  public:
    ResultsController(MainWindow& window, Zone& preview, Zone& comments);

    const CommentPanelState& commentPanelState() const { return panelState_; }
    // Hides the panel as the first showing of the window does.
    void hideCommentPanel();
    // Runs a command of another page on the comment panel (shown, widened, written, hidden); the
    // widgets follow it.
    void onCommentPanel(const std::function<void(CommentPanel&)>& command);
    int scrollToggleCount() const { return scrollToggleCount_; }

    // The controls this class adds to the window; their objectNames are their component names.
    QPushButton* getMoreButton = nullptr;     // getmorebtn
    QMenu* resultMenu = nullptr;              // PopupMenu2
    ClickableLabel* commentsLabel = nullptr;  // Label58
    QMenu* commentMenu = nullptr;             // commentPopupMenu
    QMenu* specialMenu = nullptr;             // specialPopupMenu

  private:
    void buildSelectMenu();
    void buildResultMenu();
    void buildCommentControls();
    void buildMoreMenu();
    // Copies the first ticked picture of the preview, in the preview's order.
    void copyTickedPicture();
    QAction* item(QMenu* menu, const char* name, const QString& caption);
    // The menu of an arrow button placed with label in the main page's last row.
    QMenu* menuBeside(QWidget* label, const char* buttonName, const char* menuName, int column);
    // The four comment commands, which both the arrow menu beside "Get" and the comment menu carry.
    void addCommentItems(QMenu* menu, const std::array<const char*, 4>& names, const QStringList& captions);
    // Connects a menu item to a command run on the bound state, the panel following it.
    template <typename Command>
    void bind(QAction* action, Command command);
    template <typename Command>
    void run(Command command);
    void applyPanel();

    MainWindow& window_;
    MainWindowUi& ui_;
    Desktop& desktop_;
    Zone& preview_;
    CommentPanelState panelState_{true, 205};
    CommentPanel panel_;
    SelectionCommands selection_;
    // Belongs to the process: the preview zone's forced scroll bar is on after odd uses.
    int scrollToggleCount_ = 0;
};

}  // namespace vorlaken
