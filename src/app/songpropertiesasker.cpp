#include "app/songpropertiesasker.h"

#include "common/ui/coretext.h"

#include "app/nameclashdialog.h"
#include "app/qtext.h"
#include "app/songpropertiesdialog.h"

namespace sarvo::app {

DialogSongPropertiesAsker::DialogSongPropertiesAsker(IInteractive& ui, DialogRunner runner)
    : m_ui(ui)
    , m_runner(std::move(runner)) {}

DialogSongPropertiesAsker::~DialogSongPropertiesAsker() {
    delete m_propertiesDialog.data();
}

void DialogSongPropertiesAsker::setParentWindow(QWidget* parentWindow) {
    m_parentWindow = parentWindow;
    // A dialog made before the window exists is made again over it.
    delete m_propertiesDialog.data();
}

void DialogSongPropertiesAsker::execDialog(QDialog& dialog) {
    dialog.exec();
}

std::optional<library::SongProperties>
DialogSongPropertiesAsker::askSongProperties(std::u16string_view title,
                                             const library::SongPropertiesForm& form) {
    if (!m_propertiesDialog)
        m_propertiesDialog = new SongPropertiesDialog(m_ui, m_parentWindow.data());
    SongPropertiesDialog& dialog = *m_propertiesDialog;
    dialog.setWindowTitle(ui::coreText(title));
    dialog.setForm(form);
    m_runner(dialog);
    dialog.hide();
    if (!dialog.isConfirmed())
        return std::nullopt;
    return dialog.properties();
}

NameClashDecision DialogSongPropertiesAsker::askNameClash(std::u16string_view arrivingName) {
    NameClashDialog dialog{std::u16string(arrivingName), m_ui, m_parentWindow.data()};
    m_runner(dialog);
    const library::NameClash& clash = dialog.decision();
    // A dialog that closed undecided lost the song, as closing with Yes does.
    if (clash.result() == library::NameClashResult::Undecided)
        return {};
    return {clash.result(), clash.newName()};
}

} // namespace sarvo::app
