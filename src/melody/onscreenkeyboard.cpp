#include "melody/onscreenkeyboard.h"

#include "common/ui/coretext.h"

#include "melody/keyboardlabels.h"
#include "melody/pitchkeytable.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

#include <functional>
#include <utility>

namespace sarvo::melody {
namespace {

constexpr int kNaturals = 7;
constexpr int kSharps = 5;
constexpr int kOctaves = 3;
// Grid columns of a natural key and the one a sharp starts at, in half keys from the octave's
// start: a sharp sits over the boundary between its natural and the next.
constexpr std::array<int, kSharps> kSharpHalfKeys = {1, 3, 7, 9, 11};

// Captions and tips in the interface's language; note names stay as they are.
QString toQString(const std::u16string& text) {
    return ui::coreText(text);
}

struct PanelColours {
    QColor face;
    QColor text;
    QColor pressed;
};

// The naturals of the low and high octaves are tinted so that the three octaves read apart.
constexpr std::array<PanelColours, 3> kNaturalColours = {{
    {QColor(236, 243, 255), QColor(0, 0, 0), QColor(150, 200, 255)},
    {QColor(255, 255, 255), QColor(0, 0, 0), QColor(150, 200, 255)},
    {QColor(255, 244, 230), QColor(0, 0, 0), QColor(150, 200, 255)},
}};
constexpr PanelColours kSharpColours{QColor(48, 48, 48), QColor(255, 255, 255),
                                     QColor(40, 100, 190)};
constexpr PanelColours kCommandColours{QColor(236, 233, 216), QColor(0, 0, 0),
                                       QColor(200, 196, 172)};

} // namespace

// A raised 3-D panel that is lowered while pressed and reports the press and the release.
class KeyPanel : public QLabel {
public:
    KeyPanel(const QString& objectName, const PanelColours& colours, QWidget* parent)
        : QLabel(parent)
        , m_colours(colours) {
        setObjectName(objectName);
        setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        // Captions break only where setCaption breaks them: "ファ#" stays one line.
        setWordWrap(false);
        setFocusPolicy(Qt::NoFocus);
        setAutoFillBackground(true);
        setLineWidth(2);
        setMargin(0);
        setPressed(false);
    }

    // Shows the caption on two lines, the name over the key; the caption as written stays the
    // panel's accessible name.
    void setCaption(const QString& caption) {
        setAccessibleName(caption);
        QString lines = caption;
        const qsizetype space = lines.indexOf(QLatin1Char(' '));
        if (space >= 0)
            lines[space] = QLatin1Char('\n');
        setText(lines);
    }

    void setPressed(bool pressed) {
        m_pressed = pressed;
        setFrameStyle(QFrame::Panel | (pressed ? QFrame::Sunken : QFrame::Raised));
        QPalette colours = palette();
        colours.setColor(QPalette::Window, pressed ? m_colours.pressed : m_colours.face);
        colours.setColor(QPalette::WindowText, m_colours.text);
        setPalette(colours);
    }
    bool isPressed() const { return m_pressed; }

    std::function<void()> onPress;
    std::function<void()> onRelease;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        setPressed(true);
        if (onPress)
            onPress();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        setPressed(false);
        if (onRelease)
            onRelease();
    }

private:
    PanelColours m_colours;
    bool m_pressed = false;
};

OnScreenKeyboard::OnScreenKeyboard(QWidget* parent)
    : QWidget(parent) {
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(1);

    for (int column = 0; column < kOctaves; ++column) {
        const int octaveStart = column * 2 * kNaturals;
        for (int natural = 0; natural < kNaturals; ++natural) {
            auto* panel = new KeyPanel(QStringLiteral("pnlK%1").arg(column * kNaturals + natural),
                                       kNaturalColours[static_cast<size_t>(column)], this);
            panel->setMinimumSize(26, 50);
            grid->addWidget(panel, 1, octaveStart + 2 * natural, 1, 2);
            m_panels[static_cast<size_t>(natural)][static_cast<size_t>(column)] = panel;
        }
        for (int sharp = 0; sharp < kSharps; ++sharp) {
            auto* panel = new KeyPanel(QStringLiteral("pnlS%1").arg(column * kSharps + sharp),
                                       kSharpColours, this);
            panel->setMinimumSize(26, 38);
            grid->addWidget(panel, 0, octaveStart + kSharpHalfKeys[static_cast<size_t>(sharp)], 1,
                            2);
            m_panels[static_cast<size_t>(kNaturals + sharp)][static_cast<size_t>(column)] = panel;
        }
    }
    const int keyColumns = kOctaves * 2 * kNaturals;
    for (int c = 0; c < keyColumns; ++c)
        grid->setColumnStretch(c, 1);

    for (int row = 0; row < kPitchRows; ++row) {
        for (int column = 0; column < kOctaves; ++column) {
            KeyPanel* panel = panelAt(row, column);
            panel->onPress = [this, row, column] {
                emit keyPressed(row, column);
            };
            panel->onRelease = [this, row, column] {
                emit keyReleased(row, column);
            };
        }
    }

    auto addCommandPanel = [&](const char* name, std::u16string_view tip, int row, int rowSpan,
                               int gridColumn, void (OnScreenKeyboard::*signal)()) {
        auto* panel = new KeyPanel(QString::fromLatin1(name), kCommandColours, this);
        panel->setAlignment(Qt::AlignCenter);
        panel->setToolTip(toQString(std::u16string(tip)));
        panel->setMinimumWidth(46);
        panel->onPress = [this, signal] {
            emit(this->*signal)();
        };
        grid->addWidget(panel, row, gridColumn, rowSpan, 1);
        return panel;
    };
    m_slur = addCommandPanel("pnlSR", kSlurPanelToolTip, 0, 2, keyColumns + 1,
                             &OnScreenKeyboard::slurPressed);
    addCommandPanel("pnlClr", kClearPanelToolTip, 0, 1, keyColumns + 2,
                    &OnScreenKeyboard::clearPressed)
        ->setCaption(toQString(std::u16string(kClearPanelCaption)));
    addCommandPanel("pnlRef", kRefreshPanelToolTip, 1, 1, keyColumns + 2,
                    &OnScreenKeyboard::refreshPressed)
        ->setCaption(toQString(std::u16string(kRefreshPanelCaption)));
    grid->setColumnMinimumWidth(keyColumns, 6);

    setKeyMap(0);
}

void OnScreenKeyboard::setKeyMap(int keyMap) {
    if (keyMap < 0 || keyMap >= kKeyMapCount)
        return;
    m_keyMap = keyMap;
    for (int row = 0; row < kPitchRows; ++row) {
        for (int column = 0; column < kOctaves; ++column) {
            KeyPanel* panel = panelAt(row, column);
            panel->setCaption(toQString(keyPanelCaption(keyMap, row, column)));
            panel->setToolTip(toQString(keyPanelToolTip(keyMap, row, column)));
        }
    }
    m_slur->setCaption(toQString(slurPanelCaption(keyMap)));
}

KeyPanel* OnScreenKeyboard::panelAt(int row, int column) const {
    if (row < 0 || row >= kPitchRows || column < 0 || column >= kOctaves)
        return nullptr;
    return m_panels[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

QWidget* OnScreenKeyboard::keyPanel(int row, int column) const {
    return panelAt(row, column);
}

void OnScreenKeyboard::setPanelPressed(int row, int column, bool pressed) {
    if (KeyPanel* panel = panelAt(row, column))
        panel->setPressed(pressed);
}

bool OnScreenKeyboard::isPanelPressed(int row, int column) const {
    const KeyPanel* panel = panelAt(row, column);
    return panel && panel->isPressed();
}

} // namespace sarvo::melody
