// SPDX-License-Identifier: GPL-3.0-or-later
// An editable drop-down list of band colours. Typing never adds an entry; the selected
// position is the entry whose text equals the text part exactly. Every entry reads
// whole in the text part.
#pragma once

#include <QComboBox>
#include <span>
#include <string_view>

namespace velto {

class BandList : public QComboBox {
    Q_OBJECT

public:
    BandList(QWidget* parent, std::span<const std::string_view> entries, int visibleRows);

    // The entry whose text equals the text part, or -1.
    int selectedPosition() const;

signals:
    // Once for each change the user makes: a pick from the list, or any change of the
    // text (typing, pasting, an input method, assistive technology).
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Picks the entry `step` places on from the one the text names, or the first entry
    // when it names none.
    void Step(int step);
    // Draws a text wider than the text part condensed (to no less than kNarrowest per
    // cent), so that it reads whole; any other in the list's own face.
    void FitText();

    static constexpr int kNarrowest = 75;

    int shownIndex_ = -1;      // the current index whose text the text part last took
    bool settingText_ = false;  // the text is changing because of a pick
};

}  // namespace velto
