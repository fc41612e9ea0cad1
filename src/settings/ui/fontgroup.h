#pragma once
// One font group of the settings dialog: the font name, its size (1 to 90, checked as it is
// typed, chosen and left), bold, and a preview text drawn in the chosen font at once.

#include "common/interaction.h"
#include "settings/fontsize.h"
#include "settings/preferences.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace sarvo::settings {

class FontGroup : public QGroupBox {
    Q_OBJECT

public:
    // suffix names the controls (cmbFont<suffix>, cmbSize<suffix>, chkBold<suffix>,
    // txtPreview<suffix>); families fill the name list; ui shows the size messages.
    FontGroup(const QString& title, const QString& suffix, const QStringList& families,
              IInteractive& ui, QWidget* parent = nullptr);

    void setChoice(const FontChoice& choice);
    FontChoice choice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes the size field's text when it is a size; otherwise tells the user and puts the last
    // accepted size back.
    void checkSize(FontSizeEvent event);
    void showPreview();

    IInteractive& m_ui;
    QComboBox* m_name = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QLineEdit* m_preview = nullptr;
    int m_acceptedSize = 12;
};

} // namespace sarvo::settings
