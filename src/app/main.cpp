// The Sarvo program: starts up (a second start hands over to the running program), then shows
// the main window, with the import dialog on a file named on the command line; messages go to
// message boxes.

#include "app/commandline.h"
#include "app/firstpaintprobe.h"
#include "app/interfacelanguage.h"
#include "app/mainwindow.h"
#include "app/messageboxinteractive.h"
#include "app/songpropertiesasker.h"
#include "app/soundoutputstatus.h"
#include "app/startup.h"
#include "app/windowstatusbar.h"
#include "sound/midiports.h"

#include <QApplication>
#include <QPointer>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// --help and --version answer before the window system is asked for a display.
std::optional<int> answerWithoutDisplay(int argc, char* argv[]) {
    const sarvo::app::CommandLine line =
        sarvo::app::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.request == sarvo::app::CommandLine::Request::Help)
        std::cout << sarvo::app::helpText();
    else if (line.request == sarvo::app::CommandLine::Request::Version)
        std::cout << sarvo::app::versionText();
    else
        return std::nullopt;
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = answerWithoutDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    // Qt has taken its own options out of the arguments by now.
    std::vector<std::string> rest;
    for (const QString& argument : QApplication::arguments().mid(1))
        rest.push_back(argument.toStdString());
    const sarvo::app::CommandLine line = sarvo::app::readCommandLine(rest);
    if (line.request == sarvo::app::CommandLine::Request::Wrong) {
        std::cerr << "sarvo: " << line.error << "\nTry 'sarvo --help'.\n";
        return 2;
    }
    sarvo::app::MessageBoxInteractive ui;
    const sarvo::app::StartupEnvironment environment =
        sarvo::app::processEnvironment(QApplication::arguments());
    // The language is chosen before a second start says that the program runs already.
    if (const auto folder = sarvo::app::dataFolderOf(environment))
        sarvo::app::installInterfaceLanguage(app, *folder);
    const sarvo::app::Startup startup = sarvo::app::startUp(environment, ui);
    if (!startup.error.empty())
        std::cerr << "sarvo: " << startup.error << "\n";
    if (startup.outcome != sarvo::app::Startup::Outcome::Run)
        return startup.error.empty() ? 0 : 1;
    const sarvo::library::SongLibrary library{sarvo::library::LibraryFolders(startup.dataFolder)};
    // The MIDI output opens on the first port, the embedded synthesizer "(標準)", which loads its
    // soundfont while the window is built and shown. The window learns about it afterwards.
    QPointer<sarvo::app::MainWindow> shown;
    sarvo::sound::MidiOutputPort midi(ui, sarvo::sound::listMidiPorts(ui));
    midi.openInBackground(0, [&app, &midi, &shown] {
        QMetaObject::invokeMethod(
            &app,
            [&midi, &shown] {
                midi.finishOpening();
                auto* bar = shown ? qobject_cast<sarvo::app::WindowStatusBar*>(shown->statusBar())
                                  : nullptr;
                if (bar)
                    sarvo::app::showSoundOutput(midi, *bar);
            },
            Qt::QueuedConnection);
    });
    sarvo::app::DialogSongPropertiesAsker asker(ui);
    sarvo::app::MainWindow window(ui, midi, library, asker);
    shown = &window;
    ui.setParentWindow(&window);
    asker.setParentWindow(&window);
    sarvo::app::receiveHandOvers(
        *startup.instance, library, ui,
        {.songArrived =
             [&window](const std::u16string& name) {
                 window.openSong(QString::fromStdU16String(name));
             },
         // Queued: the dialog runs its own loop, never inside the socket's signal.
         .fileToImport =
             [&window](const std::filesystem::path& file) {
                 QMetaObject::invokeMethod(
                     &window, [&window, file] { window.openImportOf(file); },
                     Qt::QueuedConnection);
             },
         .activate =
             [&window] {
                 window.showNormal();
                 window.raise();
                 window.activateWindow();
             }});
    if (!startup.importedSong.empty())
        window.openSong(QString::fromStdU16String(startup.importedSong));
    if (environment.importFile)
        QMetaObject::invokeMethod(
            &window, [&window, file = *environment.importFile] { window.openImportOf(file); },
            Qt::QueuedConnection);
    sarvo::app::quitAfterFirstPaintWhenAsked(window);
    window.show();
    return QApplication::exec();
}
