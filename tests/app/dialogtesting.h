#pragma once
// Filling in and closing the song dialogs the way a user does: typing into their fields and
// clicking their buttons, found by object name.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace sarvo::app::testing {

template <typename Widget> Widget* dialogChild(QDialog& dialog, const char* name) {
    auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Replaces a field's text by typing, then leaves the field as Tab does. The text arrives as an
// input method commits it, which is how Japanese text is typed.
inline void typeInto(QDialog& dialog, const char* field, const QString& text) {
    auto* edit = dialogChild<QLineEdit>(dialog, field);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(edit, &typed);
    QTest::keyClick(edit, Qt::Key_Tab);
}

inline void clickButton(QDialog& dialog, const char* button) {
    auto* found = dialogChild<QPushButton>(dialog, button);
    ASSERT_NE(found, nullptr);
    QTest::mouseClick(found, Qt::LeftButton);
}

inline void chooseEntry(QDialog& dialog, const char* comboName, const QString& text) {
    auto* combo = dialogChild<QComboBox>(dialog, comboName);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace sarvo::app::testing
