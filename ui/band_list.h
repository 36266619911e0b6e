// An editable drop-down list of band colours. Typing never adds an entry; the selected
// position is the entry whose text equals the text part exactly.
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
    // Once for each user action: a pick from the list, or an edit of the text.
    void changed();
};

}  // namespace velto
