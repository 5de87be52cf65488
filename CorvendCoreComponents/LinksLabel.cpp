#include "CorvendCoreComponents/LinksLabel.hpp"

#include "CorvendCoreComponents/FormattedText.hpp"
#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

LinksLabel::Model::Model(platform::ui::AttributedString attributedString,
                         std::vector<LinkPair> orderedLinks)
    : attributedString(std::move(attributedString)), orderedLinks(std::move(orderedLinks)) {}

LinksLabel::Model::Model(const std::string& string, std::vector<LinkPair> links, Style style,
                         TextStyle textStyle)
    : orderedLinks(std::move(links)) {
    const auto& palette = Theme::defaultTheme()->colorPalette();
    attributedString = formattedText(
        string,
        textStyle == TextStyle::text1 ? DreloFontTextStyle::text1 : DreloFontTextStyle::text2,
        style == Style::primary ? palette.labelColor.primary.onBase
                                : palette.labelColor.secondary.onBase);
    std::size_t from = 0;
    for (const LinkPair& pair : orderedLinks) {
        const std::size_t at =
            pair.string.empty() ? std::string::npos : string.find(pair.string, from);
        if (at == std::string::npos) continue;  // not in the text: shown without a link
        platform::ui::TextRunAttributes linkAttributes;
        linkAttributes.link = pair.link;
        linkAttributes.foregroundColor = palette.action.foreground.normal;
        attributedString.addAttributes(linkAttributes, at, pair.string.size());
        from = at + pair.string.size();
    }
}

void LinksLabel::update(Model model) {
    setAttributedText(std::move(model.attributedString));
    links_ = std::move(model.orderedLinks);
}

bool LinksLabel::tapLink(const std::string& visibleString) {
    if (!isVisible() || !attributedText()) return false;
    for (const auto& run : attributedText()->runs()) {
        if (run.text != visibleString || !run.attributes.link) continue;
        if (!tap()) return false;  // a recogniser around the label kept the touch
        if (tapHandler) {
            const auto handler = tapHandler;
            handler(*run.attributes.link);
        }
        return true;
    }
    return false;
}

}  // namespace corvend::components
