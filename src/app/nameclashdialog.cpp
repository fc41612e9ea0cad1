#include "app/nameclashdialog.h"

#include "app/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace sarvo::app {
namespace {

// The button array cmd, by index.
constexpr std::array kButtonCaptions = {
    QT_TRANSLATE_NOOP("sarvo::app::NameClashDialog", "受信曲を捨てる。(&Q)"),
    QT_TRANSLATE_NOOP("sarvo::app::NameClashDialog", "同名で上書きする(&W)"),
    QT_TRANSLATE_NOOP("sarvo::app::NameClashDialog", "上の名前に曲名を変更(&C)")};
constexpr int kDiscard = 0;
constexpr int kOverwrite = 1;

} // namespace

NameClashDialog::NameClashDialog(std::u16string arrivingName, IInteractive& ui, QWidget* parent)
    : QDialog(parent)
    , m_ui(ui)
    , m_clash(std::move(arrivingName)) {
    setObjectName(QStringLiteral("dlgMName"));
    setWindowTitle(tr("曲名の変更"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("すでに同じ名前の曲が存在します。"), this));
    m_name = new QLineEdit(toQString(m_clash.arrivingName()), this);
    m_name->setObjectName(QStringLiteral("txtName"));
    layout->addWidget(m_name);
    for (size_t index = 0; index < kButtonCaptions.size(); ++index) {
        auto* button = new QPushButton(tr(kButtonCaptions[index]), this);
        button->setObjectName(QStringLiteral("cmd%1").arg(index));
        button->setAutoDefault(false);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, index] { decide(static_cast<int>(index)); });
    }
    setMinimumWidth(320);
}

void NameClashDialog::decide(int button) {
    if (button == kDiscard) {
        m_clash.discard();
    } else if (button == kOverwrite) {
        m_clash.overwrite();
    } else if (!m_clash.rename(toU16(m_name->text()), m_ui)) {
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

void NameClashDialog::reject() {
    if (m_clash.close(m_ui))
        QDialog::reject();
}

} // namespace sarvo::app
