// The Qt report-style list view: a QTableWidget with a header, one row per item and the
// row's small image in its first cell, mirroring the portable rows and selection.
#pragma once

#include "toolkit/base/ListViewBase.h"
#include "toolkit/qt/QtControl.h"

#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

namespace kestrune::toolkit::qt {

// A table that reports the pointer entering it and files dropped on it, and knows the
// row under the pointer for hot tracking.
class ReportTable final : public QTableWidget {
public:
    std::function<void()> entered;
    // Answers whether the files were taken.
    std::function<bool(const std::vector<std::string>&)> filesDropped;
    bool hotTracking = false;
    bool infoTips = false;  // a tip with the whole text of a cell too narrow for it
    int hotRow = -1;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class QtListView final : public QtControl<base::ListViewBase, ReportTable> {
public:
    explicit QtListView(base::Node& parent);

private:
    void ShowBackground() override;
    void ShowStyle() override;
    void ShowColumnAdded() override;
    void ShowImages() override;
    void ShowRowAdded(int row) override;
    void ShowCell(int row, int column) override;
    void ShowRowImage(int row) override;
    void ShowRowDeleted(int row) override;
    void ShowAllRowsDeleted() override;
    void ShowSelection() override;
    void ShowTextBackground() override;
    void ShowAcceptsFiles() override;

    QTableWidgetItem& Cell(int row, int column);
    int FirstSelectedRowShown() const;
    // Runs a change of the table made for the program; its selection signals are not the
    // user's.
    void Quietly(const std::function<void()>& change);

    bool showing_ = false;
};

}  // namespace kestrune::toolkit::qt
