#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CorvendCoreComponents/LinkPair.hpp"
#include "platform/ui/AttributedString.hpp"
#include "platform/ui/Label.hpp"

namespace corvend::components {

// A label whose text holds tappable links.
class LinksLabel : public platform::ui::Label {
  public:
    struct Model {
        enum class Style { primary, secondary };
        enum class TextStyle { text1, text2 };

        // An attributed text and its links, in order.
        Model(platform::ui::AttributedString attributedString, std::vector<LinkPair> orderedLinks);
        // A plain text in the style's colour and text style; each link is found in the text by
        // searching for its string (after the link before it) and marked there.
        Model(const std::string& string, std::vector<LinkPair> orderedLinks, Style style,
              TextStyle textStyle);

        platform::ui::AttributedString attributedString;
        std::vector<LinkPair> orderedLinks;
    };

    void update(Model model);
    const std::vector<LinkPair>& links() const { return links_; }

    // Called with a link's value when a person taps it.
    std::function<void(const std::string& link)> tapHandler;

    // A person's tap on the shown text `visibleString`; false when it is no link of the label.
    bool tapLink(const std::string& visibleString);

  private:
    std::vector<LinkPair> links_;
};

}  // namespace corvend::components
