// A program that starts up like Sarvo, without windows, for the hand-over test: it prints what
// happens, one line each, and runs until it is stopped.
//
// usage: handoverpeer PROGRAM_FOLDER [FILE]

#include "app/startup.h"
#include "common/textcodec.h"

#include <QCoreApplication>

#include <iostream>

namespace {

class PrintingInteractive final : public sarvo::IInteractive {
public:
    void showMessage(std::u16string_view text) override {
        std::cout << "message: " << sarvo::toUtf8(text) << std::endl;
    }
    sarvo::Answer askQuestion(std::u16string_view text, sarvo::QuestionButtons) override {
        std::cout << "question: " << sarvo::toUtf8(text) << std::endl;
        return sarvo::Answer::Yes;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::cerr << "usage: handoverpeer PROGRAM_FOLDER [FILE]\n";
        return 2;
    }
    sarvo::app::StartupEnvironment environment = sarvo::app::processEnvironment(arguments.mid(1));
    environment.programFolder = arguments[1].toStdString();
    PrintingInteractive ui;
    const sarvo::app::Startup startup = sarvo::app::startUp(environment, ui);
    if (startup.outcome == sarvo::app::Startup::Outcome::HandedOver) {
        std::cout << "handed over" << (startup.error.empty() ? "" : " with error: ")
                  << startup.error << std::endl;
        return startup.error.empty() ? 0 : 1;
    }
    if (startup.outcome != sarvo::app::Startup::Outcome::Run) {
        std::cout << "failed: " << startup.error << std::endl;
        return 1;
    }
    std::cout << "running" << std::endl;
    if (!startup.importedSong.empty())
        std::cout << "imported: " << sarvo::toUtf8(startup.importedSong) << std::endl;
    const sarvo::library::SongLibrary library{sarvo::library::LibraryFolders(startup.dataFolder)};
    sarvo::app::receiveHandOvers(
        *startup.instance, library, ui,
        {.songArrived =
             [](const std::u16string& name) {
                 std::cout << "arrived: " << sarvo::toUtf8(name) << std::endl;
             },
         .fileToImport =
             [](const std::filesystem::path& file) {
                 std::cout << "import dialog for: " << file.filename().string() << std::endl;
             },
         .activate = [] { std::cout << "activated" << std::endl; }});
    return QCoreApplication::exec();
}
