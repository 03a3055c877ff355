// Qt input for the contract, on Qt's offscreen platform.
#include "QtDriver.h"

#include "toolkit/base/Node.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtListView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cstdlib>
#include <stdexcept>

namespace kestrune::toolkit::qt {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Clicks where a check box or radio button has its mark, as a user aims.
void ClickOnMark(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, widget.height() / 2));
}

}  // namespace

QtDriver::QtDriver() {
    // No display is needed; ctest sets this too, a direct run gets it here.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

bool QtDriver::Click(Control& control) {
    if (!control.IsEffectivelyEnabled()) {
        return false;
    }
    QWidget& widget = WidgetOf(control);
    if (dynamic_cast<CheckBox*>(&control) != nullptr ||
        dynamic_cast<RadioButton*>(&control) != nullptr) {
        ClickOnMark(widget);
    } else if (dynamic_cast<Button*>(&control) != nullptr ||
               dynamic_cast<ImageButton*>(&control) != nullptr) {
        QTest::mouseClick(&widget, Qt::LeftButton);
    } else {
        throw std::invalid_argument("Click: this kind of control has no click");
    }
    return true;
}

bool QtDriver::RightClick(Control& control) {
    if (dynamic_cast<ImageButton*>(&control) == nullptr) {
        throw std::invalid_argument("RightClick: only image buttons have a context menu");
    }
    if (!control.IsEffectivelyEnabled()) {
        return false;
    }
    // The menu's own event loop runs the timer, and the menu is the active popup then.
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [this] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            AnswerMenu(*menu);
        }
    });
    answering.start(0);
    QWidget& widget = WidgetOf(control);
    const QPoint centre = widget.rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget.mapToGlobal(centre));
    QCoreApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

void QtDriver::QueueMenuChoice(std::optional<int> item) {
    menus_.Queue(item);
}

const std::vector<std::vector<MenuItem>>& QtDriver::ShownMenus() const {
    return menus_.Shown();
}

void QtDriver::AnswerMenu(QMenu& menu) {
    std::vector<MenuItem> items;
    for (const QAction* action : menu.actions()) {
        items.push_back({action->text().toStdString(), action->isChecked()});
    }
    const std::optional<int> choice = menus_.Take(std::move(items));
    if (!choice) {
        QTest::keyClick(&menu, Qt::Key_Escape);
        return;
    }
    for (int step = 0; step <= *choice; ++step) {
        QTest::keyClick(&menu, Qt::Key_Down);
    }
    QTest::keyClick(&menu, Qt::Key_Return);
}

void QtDriver::TypeText(Edit& edit, std::string_view text) {
    // One key per character, with the character as its text: QTest's own typing knows
    // ASCII keys only.
    const QString characters = ToQString(text);
    for (qsizetype at = 0; at < characters.size();) {
        const qsizetype length = characters.at(at).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, &WidgetOf(edit), Qt::Key_unknown,
                            characters.mid(at, length), Qt::NoModifier);
        at += length;
    }
}

bool QtDriver::Paste(Edit& edit, std::string_view text) {
    if (!edit.IsEffectivelyEnabled()) {
        return false;
    }
    const std::string before = edit.Text();
    QApplication::clipboard()->setText(ToQString(text));
    QTest::keySequence(&WidgetOf(edit), QKeySequence::Paste);
    return text.empty() || edit.Text() != before;
}

bool QtDriver::SelectRow(ListView& listView, int row) {
    if (!listView.IsEffectivelyEnabled()) {
        return false;
    }
    auto& table = dynamic_cast<QTableWidget&>(WidgetOf(listView));
    QPoint at(5, table.viewport()->height() - 2);  // the empty area below the rows
    if (row >= 0 && row < table.rowCount()) {
        table.scrollToItem(table.item(row, 0));
        at = table.visualItemRect(table.item(row, 0)).center();
    }
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
    return true;
}

bool QtDriver::SelectComboItem(ComboBox& comboBox, int index) {
    if (index < 0 || index >= comboBox.ItemCount()) {
        throw std::out_of_range("SelectComboItem: no such item");
    }
    if (!comboBox.IsEffectivelyEnabled()) {
        return false;
    }
    auto& combo = dynamic_cast<QComboBox&>(WidgetOf(comboBox));
    combo.showPopup();
    QAbstractItemView& items = *combo.view();
    const QPoint at = items.visualRect(items.model()->index(index, 0)).center();
    QTest::mouseClick(items.viewport(), Qt::LeftButton, {}, at);
    return true;
}

bool QtDriver::ReleaseUpDown(UpDown& upDown, Arrow arrow) {
    if (!upDown.IsEffectivelyEnabled()) {
        return false;
    }
    auto& arrows = dynamic_cast<QtUpDown&>(upDown);
    QTest::mouseClick(arrow == Arrow::Up ? &arrows.UpArrow() : &arrows.DownArrow(), Qt::LeftButton);
    return true;
}

bool QtDriver::DragTrackBar(TrackBar& trackBar, int position) {
    if (!trackBar.IsEffectivelyEnabled()) {
        return false;
    }
    // What dragging the thumb does; the slider keeps the position inside its range.
    dynamic_cast<QSlider&>(WidgetOf(trackBar)).setSliderPosition(position);
    return true;
}

void QtDriver::MouseEnter(ListView& listView) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&WidgetOf(listView), &enter);
}

bool QtDriver::DropFiles(ListView& listView, const std::vector<std::string>& paths) {
    QWidget& viewport = *dynamic_cast<QTableWidget&>(WidgetOf(listView)).viewport();
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    }
    data.setUrls(urls);
    const QPoint at(20, 40);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewport, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewport, &drop);
    return drop.isAccepted();
}

bool QtDriver::RequestClose(Window& window) {
    const bool wasClosed = window.IsClosed();
    QCloseEvent event;
    QCoreApplication::sendEvent(&WidgetOf(window), &event);
    return !wasClosed && window.IsClosed();
}

bool QtDriver::ResizeByUser(Window& window, const Size& outerSize) {
    if (!window.IsResizable()) {
        return false;
    }
    // The window manager gives the client area what the frame leaves of the outer size.
    QWidget& widget = WidgetOf(window);
    const QSize frame = widget.frameGeometry().size() - widget.size();
    widget.resize(QSize(outerSize.width, outerSize.height) - frame);
    return true;
}

void QtDriver::Dispatch(int milliseconds) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (milliseconds > 0) {
        QTest::qWait(milliseconds);
    }
}

const Control* QtDriver::FocusedControl() const {
    const base::Node* focused = base::Node::FocusedNode();
    return focused != nullptr ? &focused->Self() : nullptr;
}

}  // namespace kestrune::toolkit::qt
