// Every text Qt draws in the program's message boxes and dialogs is Russian, whatever the
// user's locale: button texts, labels, tips and window titles.
#include "QtTestWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace kestrune::toolkit::qt {
namespace {

using RussianTextsTest = QtTestWindow;

// The texts on a dialog not in Russian: those with Latin letters and no Cyrillic ones,
// among its title and the texts and tips of its labels and buttons. The program's name
// passes.
std::vector<std::string> ForeignTextsOf(const QWidget& dialog) {
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    std::vector<QString> shown{dialog.windowTitle()};
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (widget->isVisible() && (qobject_cast<const QLabel*>(widget) != nullptr ||
                                    qobject_cast<const QAbstractButton*>(widget) != nullptr)) {
            shown.push_back(widget->property("text").toString());
            shown.push_back(widget->toolTip());
        }
    }
    std::vector<std::string> foreign;
    for (const QString& text : shown) {
        if (text != "Kestrune" && text.contains(latin) && !text.contains(cyrillic)) {
            foreign.push_back(text.toStdString());
        }
    }
    return foreign;
}

// Opens a modal dialog with `open`; once it shows, closes it and answers its foreign texts.
std::vector<std::string> ForeignTextsOfNextDialog(const std::function<void()>& open) {
    std::vector<std::string> foreign{"(no dialog showed)"};
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            foreign = ForeignTextsOf(*dialog);
            dialog->reject();
        }
    });
    poll.start(20);
    open();
    return foreign;
}

TEST_F(RussianTextsTest, MessageBoxesAndBothDialogsSpeakRussian) {
    const std::vector<std::string> none;
    EXPECT_EQ(ForeignTextsOfNextDialog([&] {
                  ShowMessage(window.get(), "Будем искать?", "Kestrune", MessageButtons::YesNo);
              }),
              none);
    EXPECT_EQ(ForeignTextsOfNextDialog([&] {
                  ShowMessage(window.get(), "Готово", "Kestrune", MessageButtons::Ok,
                              MessageIcon::Information);
              }),
              none);
    OpenDialog& open = window->AddOpenDialog();
    open.SetFilters({{"Файлы MP3", "*.mp3"}});
    EXPECT_EQ(ForeignTextsOfNextDialog([&] { open.Execute(); }), none);
    FolderDialog& folders = window->AddFolderDialog();
    folders.SetTitle("Выбор папки");
    EXPECT_EQ(ForeignTextsOfNextDialog([&] { folders.Execute(); }), none);
}

}  // namespace
}  // namespace kestrune::toolkit::qt
