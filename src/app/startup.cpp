#include "app/startup.h"

#include "app/commandline.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sarvo::app {

StartupEnvironment processEnvironment(const QStringList& arguments) {
    StartupEnvironment environment;
    environment.programFolder = QCoreApplication::applicationDirPath().toStdString();
    environment.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME").toStdString();
    environment.home = qEnvironmentVariable("HOME").toStdString();
    if (arguments.size() < 2)
        return environment;
    const std::filesystem::path file(QFileInfo(arguments.last()).absoluteFilePath().toStdU16String());
    if (arguments.last().endsWith(u".svo", Qt::CaseInsensitive))
        environment.songFile = file;
    else if (importOptionOf(file))
        environment.importFile = file;
    return environment;
}

std::optional<std::filesystem::path> dataFolderOf(const StartupEnvironment& environment) {
    return library::dataFolder(environment.programFolder, environment.xdgDataHome,
                               environment.home);
}

Startup startUp(const StartupEnvironment& environment, IInteractive& ui) {
    Startup startup;
    const auto folder = dataFolderOf(environment);
    if (!folder) {
        startup.error = "no folder for the library: neither XDG_DATA_HOME nor HOME is set";
        return startup;
    }
    startup.dataFolder = *folder;
    const library::SongLibrary library{library::LibraryFolders(*folder)};
    std::error_code ec;
    std::filesystem::create_directories(library.folders().logFolder(), ec);

    auto instance = std::make_unique<SingleInstance>(*folder);
    if (!instance->claim()) {
        startup.outcome = Startup::Outcome::HandedOver;
        if (environment.songFile) {
            const auto target = library.folders().logFolder() / environment.songFile->filename();
            if (!std::filesystem::equivalent(*environment.songFile, target, ec))
                std::filesystem::copy_file(*environment.songFile, target,
                                           std::filesystem::copy_options::overwrite_existing, ec);
            if (ec)
                startup.error = "cannot copy the song file: " + ec.message();
            else if (!instance->send(HandOverRequest::ImportWaitingSongs))
                startup.error = "the running program did not answer";
        } else if (environment.importFile) {
            if (!instance->send(HandOverRequest::OpenImportOf, *environment.importFile))
                startup.error = "the running program did not answer";
        } else {
            ui.showMessage(std::u16string(kProgramTitle) + u" は既に起動されています");
            instance->send(HandOverRequest::Activate);
        }
        return startup;
    }
    startup.instance = std::move(instance);
    library.migrateLegacyFolders();
    if (environment.songFile)
        startup.importedSong = library.importExternalFile(*environment.songFile, ui).name;
    startup.outcome = Startup::Outcome::Run;
    return startup;
}

void receiveHandOvers(SingleInstance& instance, const library::SongLibrary& library,
                      IInteractive& ui, HandOverReceivers receivers) {
    QObject::connect(&instance, &SingleInstance::activationRequested, &instance,
                     receivers.activate);
    QObject::connect(&instance, &SingleInstance::importOfFileRequested, &instance,
                     [receivers](const std::filesystem::path& file) {
                         receivers.activate();
                         receivers.fileToImport(file);
                     });
    QObject::connect(&instance, &SingleInstance::importRequested, &instance,
                     [&library, &ui, receivers] {
                         receivers.activate();
                         const auto waiting = library.firstWaitingSvo();
                         if (!waiting)
                             return;
                         const library::ImportResult result = library.importSongFile(*waiting, ui);
                         if (!result.name.empty())
                             receivers.songArrived(result.name);
                     });
}

} // namespace sarvo::app
