// Quillmark: builds and keeps the spellbooks of wizard characters.

#include "app/Shared.h"
#include "frame/CommandLine.h"
#include "ui/FrmMain.h"
#include "ui/Program.h"
#include "ui/Text1252.h"

#include <QApplication>
#include <QStandardPaths>

#include <iostream>

int main(int argc, char* argv[]) {
    // Where the files are; an installed copy's dialogs first open in the
    // desktop's documents folder.
    SetFileLocations(FindFileLocations(
        RunningSystem(ToPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)))));
    // "--help" and "--version" answer without a display.
    switch (ReadCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc))) {
    case tCommandLineRequest::Help:
        std::cout << HelpText();
        return std::cout.flush() ? 0 : 1;
    case tCommandLineRequest::Version:
        std::cout << VersionText();
        return std::cout.flush() ? 0 : 1;
    case tCommandLineRequest::StartWindows:
        break;
    }
    // Before any window: the random source, the odds and the built-in
    // specialties.
    LoadProgram();
    QApplication application(argc, argv);
    // The desktop finds the program's entry and icon by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(QUILL_APP_ID));
    CreateProgramWindows();
    QObject::connect(frmMain, &TfrmMain::closed, &application, &QApplication::quit, Qt::QueuedConnection);
    const int result = QApplication::exec();
    DestroyProgramWindows();
    return result;
}
