#pragma once
// The about box of ABOUTDLL.so: the program's name and version, the libraries it uses with their
// licences, and the data folder in use.

#include <QDialog>

#include <string>

namespace ondrix::shell::ui {

class AboutBox final : public QDialog {
 public:
  AboutBox(const std::string& dataFolder, QWidget* parent);
};

}  // namespace ondrix::shell::ui
