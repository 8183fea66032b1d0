// The advertisement file ad.txt: one "<Txt>text<Link>link" a line, up to the first empty line;
// then the label's rotation through what was read.
#include <string>

#include "fuzz_support.h"
#include "online/advertisements.h"

using namespace tessaril;

namespace {

class NullLabel : public AdLabel {
 public:
  void SetLink(const std::string& link) override { link_ = link; }
  void SetText(const std::string& text) override { text_ = text; }
  std::string link_, text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::AsText(data, size));
  Advertisements ads;
  ads.Parse(text);
  fuzz::Check(ads.Texts().size() == ads.Links().size(), "texts and links out of step");
  // Never more advertisements than lines.
  size_t lines = 1;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  fuzz::Check(ads.Texts().size() <= lines, "more advertisements than lines");

  NullLabel label;
  ads.ShowFirst(label);
  for (size_t i = 0; i <= ads.Texts().size(); ++i) {
    ads.Rotate(label);
    fuzz::Check(ads.Index() >= 0 &&
                    static_cast<size_t>(ads.Index()) <= std::max<size_t>(ads.Texts().size(), 1) - 1,
                "the index left the list");
  }
  return 0;
}
