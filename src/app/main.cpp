// The Sarvo program: starts up (a second start hands over to the running program), then shows
// the main window; messages go to message boxes.

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

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sarvo::app::MessageBoxInteractive ui;
    const sarvo::app::Startup startup =
        sarvo::app::startUp(sarvo::app::processEnvironment(QApplication::arguments()), ui);
    if (!startup.error.empty())
        std::cerr << "sarvo: " << startup.error << "\n";
    if (startup.outcome != sarvo::app::Startup::Outcome::Run)
        return startup.error.empty() ? 0 : 1;
    const sarvo::library::SongLibrary library{sarvo::library::LibraryFolders(startup.dataFolder)};
    sarvo::app::installInterfaceLanguage(app, library);
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
        [&window](const std::u16string& name) { window.openSong(QString::fromStdU16String(name)); },
        [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
    if (!startup.importedSong.empty())
        window.openSong(QString::fromStdU16String(startup.importedSong));
    sarvo::app::quitAfterFirstPaintWhenAsked(window);
    window.show();
    return QApplication::exec();
}
