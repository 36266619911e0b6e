// SPDX-License-Identifier: GPL-3.0-or-later
// An editable drop-down list of band colours. Typing never adds an entry; the selected
// position is the entry that the text part names, in either case, with "е" for "ё" and
// blanks around it or none. Every entry reads whole in the text part.
#pragma once

#include <QComboBox>
#include <span>
#include <string_view>
#include <utility>

namespace velto {

class BandList : public QComboBox {
    Q_OBJECT

public:
    // `name` is what assistive technology calls the list.
    BandList(QWidget* parent, const QString& name, std::span<const std::string_view> entries, int visibleRows);

    // The entry that the text part names, or -1.
    int selectedPosition() const;
    // Whether the list is changing its own text part: a pick writing its entry, or the
    // focus coming or going.
    bool isChangingItself() const { return changingItself_; }

    void hidePopup() override;

signals:
    // Once for each change the user makes: a pick from the list, or any change of the
    // text (typing, pasting, an input method, assistive technology).
    void changed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
    // Runs `change` as a change the list makes to its own text part.
    template <typename Change>
    void ChangeItself(Change change) {
        const bool outer = std::exchange(changingItself_, true);
        change();
        changingItself_ = outer;
    }

    bool changingItself_ = false;
};

}  // namespace velto
