// Every text Qt draws in the program's message boxes and dialogs is Russian, whatever the
// user's locale: button texts, labels, tips, column headers and window titles.
#include "QtTestWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

using RussianTextsTest = QtTestWindow;

// The texts a user reads in a dialog: its title, its labels, its buttons and their tips,
// and the column headers of its views.
std::vector<QString> TextsShownBy(const QWidget& dialog) {
    std::vector<QString> texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisible()) {
            texts.push_back(label->text());
        }
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible()) {
            texts.push_back(button->text());
            texts.push_back(button->toolTip());
        }
    }
    for (const QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        const QHeaderView* header = view->findChild<QHeaderView*>();
        if (view->isVisible() && header != nullptr && header->isVisible()) {
            for (int section = 0; section < header->count(); ++section) {
                texts.push_back(view->model()->headerData(section, Qt::Horizontal).toString());
            }
        }
    }
    return texts;
}

// A text in another language: Latin letters and no Cyrillic ones. The program's name
// passes.
bool IsForeign(const QString& text) {
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    return text != "Kestrune" && text.contains(latin) && !text.contains(cyrillic);
}

// Opens a modal dialog with `open`, and once it shows, collects its texts and closes it.
std::vector<QString> TextsOfNextDialog(const std::function<void()>& open) {
    std::vector<QString> texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            texts = TextsShownBy(*dialog);
            dialog->reject();
        }
    });
    poll.start(20);
    open();
    return texts;
}

void ExpectRussian(const std::vector<QString>& texts, const std::string& what) {
    ASSERT_GT(texts.size(), 2u) << what;
    for (const QString& text : texts) {
        EXPECT_FALSE(IsForeign(text)) << what << ": " << text.toStdString();
    }
}

TEST_F(RussianTextsTest, MessageBoxesAndBothDialogsSpeakRussian) {
    ExpectRussian(TextsOfNextDialog([&] {
                      ShowMessage(window.get(), "Будем искать?", "Kestrune", MessageButtons::YesNo);
                  }),
                  "yes/no box");
    ExpectRussian(TextsOfNextDialog([&] {
                      ShowMessage(window.get(), "Готово", "Kestrune", MessageButtons::Ok,
                                  MessageIcon::Information);
                  }),
                  "message box");
    OpenDialog& open = window->AddOpenDialog();
    open.SetFilters({{"Файлы MP3", "*.mp3"}});
    open.SetMultipleSelection(true);
    ExpectRussian(TextsOfNextDialog([&] { open.Execute(); }), "open dialog");
    FolderDialog& folders = window->AddFolderDialog();
    folders.SetTitle("Выбор папки");
    ExpectRussian(TextsOfNextDialog([&] { folders.Execute(); }), "folder browser");
}

}  // namespace
}  // namespace kestrune::toolkit::qt
