// A drop-down list with an editable-looking text field that only ever shows what was chosen: a
// selected index that is -1 while no entry is selected, and every edit the user makes to the
// field refused on the spot.
#pragma once

#include "ui/frame/units.h"

#include <QComboBox>

namespace quiravel::frame {

class DropDownList : public QComboBox {
  Q_OBJECT

 public:
  explicit DropDownList(QWidget* parent);

  // Fills the list and shows `text` in the field with no entry selected.
  void setEntries(const QStringList& entries, const QString& text);

  void setBackColor(Bgr colour);
  void setForeColor(Bgr colour);

 Q_SIGNALS:
  // The user tried to change the field's text (typing, deleting, pasting, dropping, an input
  // method's commit): the edit has been refused and the field shows what it showed before.
  // Choosing an entry from the drop-down is a selection, not an edit, and raises nothing.
  void change();

 protected:
  void initStyleOption(QStyleOptionComboBox* option) const override;

 private:
  void followText(const QString& text);

  bool settingText_ = false;
};

}  // namespace quiravel::frame
