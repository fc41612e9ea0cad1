#include "settings/ui/fontgroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace sarvo::settings {
namespace {

QString text(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

FontGroup::FontGroup(const QString& title, const QString& suffix, const QStringList& families,
                     IInteractive& ui, QWidget* parent)
    : QGroupBox(title, parent)
    , m_ui(ui) {
    m_name = new QComboBox(this);
    m_name->setObjectName(QStringLiteral("cmbFont") + suffix);
    // Editable, so a stored font that is not installed is still shown and kept.
    m_name->setEditable(true);
    m_name->addItems(families);
    m_name->setMinimumContentsLength(12);
    m_name->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("cmbSize") + suffix);
    m_size->setEditable(true);
    for (int size = 1; size <= kLargestFontSize; ++size)
        m_size->addItem(QString::number(size));
    // The combo holds the focus for its line edit.
    m_size->installEventFilter(this);

    m_bold = new QCheckBox(tr("太字"), this);
    m_bold->setObjectName(QStringLiteral("chkBold") + suffix);
    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("txtPreview") + suffix);
    m_preview->setMinimumHeight(40);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("フォント名："), this), 0, 0);
    layout->addWidget(m_name, 0, 1);
    layout->addWidget(new QLabel(tr("サイズ："), this), 0, 2);
    layout->addWidget(m_size, 0, 3);
    layout->addWidget(m_bold, 0, 4);
    layout->addWidget(new QLabel(tr("プレビュー："), this), 1, 0);
    layout->addWidget(m_preview, 1, 1, 1, 4);
    layout->setColumnStretch(1, 1);

    connect(m_name, &QComboBox::currentTextChanged, this, &FontGroup::showPreview);
    connect(m_bold, &QCheckBox::toggled, this, &FontGroup::showPreview);
    connect(m_size, &QComboBox::textActivated, this, [this] { checkSize(FontSizeEvent::Click); });
    connect(m_size->lineEdit(), &QLineEdit::textEdited, this,
            [this] { checkSize(FontSizeEvent::Change); });
}

void FontGroup::setChoice(const FontChoice& choice) {
    const QSignalBlocker blockName(m_name);
    const QSignalBlocker blockBold(m_bold);
    m_name->setCurrentText(text(choice.name));
    m_acceptedSize = choice.size;
    m_size->setCurrentText(QString::number(choice.size));
    m_bold->setChecked(choice.bold);
    m_preview->setText(text(choice.preview));
    showPreview();
}

FontChoice FontGroup::choice() const {
    return {m_name->currentText().toStdU16String(), m_acceptedSize, m_bold->isChecked(),
            m_preview->text().toStdU16String()};
}

bool FontGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_size && event->type() == QEvent::FocusOut)
        checkSize(FontSizeEvent::LostFocus);
    return QGroupBox::eventFilter(watched, event);
}

void FontGroup::checkSize(FontSizeEvent event) {
    const FontSizeCheck check = checkFontSize(m_size->currentText().toStdU16String(), event);
    if (check.size) {
        m_acceptedSize = *check.size;
        showPreview();
        return;
    }
    if (check.error.empty())
        return;
    m_ui.showMessage(check.error);
    m_size->setCurrentText(QString::number(m_acceptedSize));
}

void FontGroup::showPreview() {
    QFont font(m_name->currentText());
    font.setPointSize(m_acceptedSize);
    font.setBold(m_bold->isChecked());
    m_preview->setFont(font);
}

} // namespace sarvo::settings
