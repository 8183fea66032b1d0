#pragma once

#include <QColor>
#include <QLabel>
#include <string>

#include "online/advertisements.h"

namespace tessaril::app {

// A text label that acts as a hyperlink: blue until a click opened its target, purple after,
// with the hand cursor. A click opens the link, or the label's own text when the link is empty;
// only an http or https target is opened, anything else only beeps. It is also the advertisement
// line's label.
class CStaticLink : public QLabel, public AdLabel {
  Q_OBJECT

 public:
  static constexpr QColor kUnvisited{0, 0, 255};
  static constexpr QColor kVisited{128, 0, 128};

  explicit CStaticLink(const QString& text, std::string link = {}, QWidget* parent = nullptr);

  // AdLabel.
  void SetLink(const std::string& link) override { link_ = link; }
  void SetText(const std::string& text) override;

  const std::string& Link() const { return link_; }
  QColor Colour() const { return colour_; }
  // What a left click does; true when the target was opened.
  bool Open();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void ApplyColour();

  std::string link_;
  QColor colour_ = kUnvisited;
};

}  // namespace tessaril::app
