#pragma once

#include <QComboBox>
#include <functional>

// A combo box that says when its list opens and closes: while it is open the
// user is only browsing.
class CQtComboBox : public QComboBox {
 public:
  using ListHandler = std::function<void(bool open)>;

  explicit CQtComboBox(QWidget* parent) : QComboBox(parent) {}
  void SetListHandler(ListHandler handler) { m_onList = std::move(handler); }

  void showPopup() override {
    QComboBox::showPopup();
    if (m_onList && !signalsBlocked()) m_onList(true);
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (m_onList && !signalsBlocked()) m_onList(false);
  }

 private:
  ListHandler m_onList;
};
