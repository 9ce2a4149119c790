// The named child widget a test drives; a missing one ends the test program
// at once, since every step after it would only fail less clearly.
#pragma once

#include <QWidget>

namespace linvale::test {

template <typename Widget>
Widget* Find(QWidget* parent, const char* name) {
  auto* widget = parent->findChild<Widget*>(name);
  if (widget == nullptr) {
    qFatal("no widget %s", name);
  }
  return widget;
}

}  // namespace linvale::test
