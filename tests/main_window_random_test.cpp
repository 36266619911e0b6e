// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the main window with a long random run of user actions and checks after each
// one that the stripes, the band codes and the result follow the lists and the mode.
#include "ui/Unit1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <random>

#include "engine/evaluation.h"
#include "engine/number_text.h"

namespace {

// What the window should show, kept from the actions alone.
struct Expected {
    velto::BandValues codes;
    std::array<bool, 5> stripeShown{};
    std::array<QColor, 5> stripeFill;
    bool fiveBands = false;
    QString result = QStringLiteral(" ");
};

class RandomUse : public ::testing::Test {
protected:
    void SetUp() override {
        velto::SetDecimalSeparator(',');
        form.show();
        lists = {form.ComboBox1, form.ComboBox2, form.ComboBox3, form.ComboBox4, form.ComboBox5};
        stripes = {form.Shape1, form.Shape2, form.Shape3, form.Shape4, form.Shape5};
        expected.codes.fill(velto::BandUnset);
        for (int i = 0; i < 5; ++i) expected.stripeFill[i] = stripes[i]->fill();
    }
    void TearDown() override { velto::SetDecimalSeparator('.'); }

    QString RandomText() {
        static const char32_t pools[][2] = {
            {U'a', U'z'}, {U'А', U'я'}, {U'0', U'9'}, {U'一', U'龥'}, {U'ا', U'ي'},
            {U'\u0300', U'\u036F'}, {U'😀', U'🙏'}, {U' ', U' '}, {U'!', U'/'}};
        const int length = random() % 8 == 0 ? static_cast<int>(random() % 300) : static_cast<int>(random() % 4);
        QString text;
        for (int i = 0; i < length; ++i) {
            const auto& pool = pools[random() % std::size(pools)];
            const char32_t character = pool[0] + random() % (pool[1] - pool[0] + 1);
            text += QString::fromUcs4(&character, 1);
        }
        return text;
    }

    // One edit of list `band`'s text; true when the text changed.
    bool Edit(int band) {
        QLineEdit* edit = lists[band - 1]->lineEdit();
        const QString before = edit->text();
        // An input method commits only into an enabled list; keys reach a disabled one
        // and must change nothing.
        int kind = static_cast<int>(random() % 5);
        if (!lists[band - 1]->isEnabled() && (kind == 2 || kind == 3)) kind = 4;
        switch (kind) {
            case 2: {  // an entry, typed whole (as an input method commits it)
                const auto entries = velto::ListEntries(band);
                const auto entry = entries[random() % entries.size()];
                edit->selectAll();
                QInputMethodEvent commit;
                commit.setCommitString(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
                QApplication::sendEvent(edit, &commit);
                break;
            }
            case 3: {  // any text committed at once
                QInputMethodEvent commit;
                commit.setCommitString(RandomText());
                QApplication::sendEvent(edit, &commit);
                break;
            }
            case 0:
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                break;
            case 1:
                QTest::keyClick(edit, Qt::Key_Backspace);
                break;
            default: {  // one key
                const QString key = RandomText().left(2);
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, key, Qt::NoModifier);
                break;
            }
        }
        return edit->text() != before;
    }

    // One pick with the arrow keys, on from the entry the text names; true when it
    // picked an entry.
    bool PickByKey(int band) {
        velto::BandList* list = lists[band - 1];
        const QString before = list->currentText();
        QTest::keyClick(list, random() % 2 ? Qt::Key_Down : Qt::Key_Up);
        return list->currentText() != before;
    }

    void BandChanged(int band) {
        const auto pick = velto::LookUpPick(band, lists[band - 1]->selectedPosition());
        if (pick) {
            expected.codes[band - 1] = pick->code;
            expected.stripeFill[band - 1] = QColor::fromRgb(pick->stripe);
        }
        expected.stripeShown[band - 1] = true;
        Evaluate();
    }

    void Evaluate() {
        const auto mode = expected.fiveBands ? velto::BandMode::FiveBand : velto::BandMode::FourBand;
        if (const auto text = velto::EvaluateBands(mode, expected.codes)) expected.result = QString::fromStdString(*text);
    }

    void SwitchMode(bool five) {
        QTest::mouseClick(five ? form.RadioButton1 : form.RadioButton2, Qt::LeftButton);
        if (five == expected.fiveBands) return;
        expected.fiveBands = five;
        expected.stripeShown[4] = five && form.ComboBox5->selectedPosition() != -1;
        Evaluate();
    }

    void Check(int step) {
        ASSERT_EQ(form.rez->text(), expected.result) << "after action " << step;
        ASSERT_EQ(form.bandValues(), expected.codes) << "after action " << step;
        ASSERT_EQ(form.RadioButton1->isChecked(), expected.fiveBands);
        ASSERT_EQ(form.ComboBox5->isEnabled(), expected.fiveBands);
        ASSERT_EQ(form.Label5->isEnabled(), expected.fiveBands);
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(stripes[i]->isVisible(), expected.stripeShown[i]) << "stripe " << i + 1 << " after " << step;
            ASSERT_EQ(stripes[i]->fill(), expected.stripeFill[i]) << "stripe " << i + 1 << " after " << step;
        }
    }

    TForm1 form;
    std::array<velto::BandList*, 5> lists{};
    std::array<velto::Shape*, 5> stripes{};
    Expected expected;
    std::mt19937 random{20261207};
};

TEST_F(RandomUse, TwentyThousandActionsKeepTheWindowInStep) {
    for (int step = 0; step < 20000; ++step) {
        const int action = static_cast<int>(random() % 10);
        const int band = 1 + static_cast<int>(random() % 5);
        const bool usable = band < 5 || expected.fiveBands;
        if (action < 4) {
            if (PickByKey(band) && usable) BandChanged(band);
        } else if (action < 9) {
            if (Edit(band) && usable) BandChanged(band);
        } else {
            SwitchMode(random() % 2 == 0);
        }
        QCoreApplication::processEvents();  // a person acts at most once a turn of the event loop
        Check(step);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
