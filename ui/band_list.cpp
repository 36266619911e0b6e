#include "ui/band_list.h"

#include <QLineEdit>

namespace velto {

BandList::BandList(QWidget* parent, std::span<const std::string_view> entries, int visibleRows)
    : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(visibleRows);
    for (std::string_view entry : entries)
        addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    setCurrentIndex(-1);
    // activated comes with every pick, by mouse, keys or wheel; textEdited with every
    // edit by the user and never when a pick sets the text.
    connect(this, &QComboBox::activated, this, &BandList::changed);
    // A picked entry is wider than the text part at times: keep its start in view,
    // selected, so that typing replaces it.
    connect(this, &QComboBox::activated, this, [this] {
        lineEdit()->setSelection(static_cast<int>(currentText().size()), -static_cast<int>(currentText().size()));
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &BandList::changed);
}

int BandList::selectedPosition() const { return findText(currentText()); }

}  // namespace velto
