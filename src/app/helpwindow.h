#pragma once
// The help window: the program's own help pages, shipped inside the program, in Japanese with
// an English version a click away. Links between pages stay in the window; links to the web open
// in the desktop's browser.

#include <QDialog>

class QTextBrowser;

namespace sarvo::app {

class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // "ja" or "en".
    void showLanguage(const QString& language);

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace sarvo::app
