#include "app/helpwindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace sarvo::app {

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Sarvo ヘルプ"));
    resize(720, 560);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});

    auto* japanese = new QPushButton(tr("日本語"), this);
    japanese->setObjectName(QStringLiteral("cmdJapanese"));
    auto* english = new QPushButton(QStringLiteral("English"), this);
    english->setObjectName(QStringLiteral("cmdEnglish"));
    auto* back = new QPushButton(tr("戻る"), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    auto* close = new QPushButton(tr("閉じる(&Q)"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(japanese, &QPushButton::clicked, this, [this] { showLanguage(QStringLiteral("ja")); });
    connect(english, &QPushButton::clicked, this, [this] { showLanguage(QStringLiteral("en")); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(japanese);
    buttons->addWidget(english);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);
    // The pages open in the interface's language: the English catalogue names its own pages.
    showLanguage(tr("ja", "language of the help pages"));
}

void HelpWindow::showLanguage(const QString& language) {
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/%1/index.html").arg(language)));
}

} // namespace sarvo::app
