#include "controls/MiniHtml.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <utility>

#include "base/TextCase.h"

namespace zelvora {

namespace {

constexpr int kListIndent = 12;

std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0)
{
    const auto same = [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    };
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())),
                                   text.end(), needle.begin(), needle.end(), same);
    return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

// Replaces the first occurrence, ignoring case; true when there was one.
bool ReplaceFirst(std::string& text, std::string_view entity, std::string_view by)
{
    const std::size_t pos = FindIgnoringCase(text, entity);
    if (pos == std::string::npos) return false;
    text.replace(pos, entity.size(), by);
    return true;
}

void ReplaceAllIgnoringCase(std::string& text, std::string_view entity, std::string_view by)
{
    for (std::size_t guard = 0; guard < kMaxHtmlLength && ReplaceFirst(text, entity, by); ++guard) {
    }
}

// The value of an attribute: the text between the first pair of double quotes after its name.
std::string Attribute(const std::string& tag, std::string_view name, bool keepCase = false)
{
    const std::size_t at = FindIgnoringCase(tag, name);
    if (at == std::string::npos) return {};
    const std::size_t open = tag.find('"', at);
    if (open == std::string::npos) return {};
    const std::size_t close = tag.find('"', open + 1);
    if (close == std::string::npos) return {};
    const std::string value = tag.substr(open + 1, close - open - 1);
    return keepCase ? value : UpperCase(value);
}

// COLOR, not the BGCOLOR that may stand before it.
std::string ColorAttribute(const std::string& tag)
{
    const std::string upper = UpperCase(tag);
    for (std::size_t at = upper.find("COLOR"); at != std::string::npos; at = upper.find("COLOR", at + 1))
        if (at < 2 || upper.compare(at - 2, 2, "BG") != 0) return Attribute(tag.substr(at), "COLOR");
    return {};
}

int LeadingNumber(const std::string& value)
{
    int n = 0;
    for (char c : value) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || n > 100000) break;
        n = n * 10 + (c - '0');
    }
    return n;
}

struct State {
    THtmlFont Font;
    TColor Background = clNone;
    int Align = 0;  // 0 left, 1 right, 2 centre
    int Indent = 0;
    int ListLevel = 0;
    bool Anchor = false, Sub = false, Sup = false, Shadow = false, ErrorLine = false, Hidden = false;
    int AnchorCount = 0;
    std::string AnchorTarget;
    // What opening tags saved, for their closing tags; a closing tag with nothing saved (a stray
    // one) keeps the colours as they are.
    std::optional<TColor> SavedBackgroundP, SavedBackgroundFont, SavedColorHi, SavedBackgroundHi;
    int OpenFonts = 0;
    int SavedOrientation = 0;
};

struct LineResult {
    std::size_t Consumed = 0;
    int Width = 0, Height = 0, SubExtra = 0, SupExtra = 0;
    bool HitAnchor = false;
    std::string Target;
    TRect AnchorRect;
    int AnchorIndex = -1;
    // Raises the line's text when an image asked to sit at the top or middle of the line.
    int TextOffset = 0;
    int ImageAlign = 0;  // 0 bottom, 1 top, 2 middle
};

class LineDrawer {
public:
    LineDrawer(IHtmlCanvas& canvas, const THtmlOptions& options, const THtmlFont& base, const TRect& layout,
               std::string& plain)
        : canvas_(canvas), options_(options), base_(base), layout_(layout), plain_(plain)
    {
    }

    // Lays out (and in paint mode paints) one line from `source`, starting at x, inside `rect`;
    // words wrap at `widthLimit` (the rectangle's width when none is given), so that painting an
    // indented or aligned line keeps every word its layout took.
    LineResult Line(State& state, std::string_view source, int x, const TRect& rect, THtmlMode mode,
                    bool hitTest, int textOffset = 0, int widthLimit = -1)
    {
        LineResult line;
        textOffset_ = textOffset;
        const int g = canvas_.TextExtent("gh", state.Font).Height;
        line.Height = g;
        const int lineWidthLimit = widthLimit >= 0 ? widthLimit : rect.Right - rect.Left;
        int width = 0, trailingSpace = 0, listItems = 0;
        bool acceptedEndsInSpace = false;  // nothing accepted yet: the first run is taken
        std::size_t pos = 0;
        bool lineEnds = false;
        while (pos < source.size() && !lineEnds) {
            // 1. A text run: up to the next tag, or with word wrap up to and including a space.
            std::size_t end = pos;
            while (end < source.size() && source[end] != '<') {
                if (options_.WordWrap && source[end] == ' ') {
                    ++end;
                    break;
                }
                ++end;
            }
            if (end > pos) {
                std::string run(source.substr(pos, end - pos));
                ReplaceAllIgnoringCase(run, "&nbsp;", " ");
                ReplaceAllIgnoringCase(run, "&lt;", "<");
                ReplaceAllIgnoringCase(run, "&gt;", ">");
                if (state.Hidden) {
                    pos = end;
                    continue;
                }
                const THtmlSize size = canvas_.TextExtent(run, state.Font);
                const bool accepted = !options_.WordWrap || width + size.Width < lineWidthLimit ||
                                      size.Width >= lineWidthLimit || !acceptedEndsInSpace;
                if (!accepted) break;
                line.Height = std::max(line.Height, size.Height);
                if (state.Sub) line.SubExtra = std::max(line.SubExtra, size.Height / 4);
                if (state.Sup) line.SupExtra = std::max(line.SupExtra, size.Height / 4);
                if (mode == THtmlMode::Paint) PaintRun(state, run, x + width, rect, size, line);
                // Where the run's text stands: up from its baseline, as PaintRun draws it.
                const int textBottom = RunBottom(state, rect, size);
                if (hitTest && state.Anchor && options_.HitY >= textBottom - size.Height &&
                    options_.HitY < textBottom && options_.HitX >= x + width &&
                    options_.HitX < x + width + size.Width) {
                    line.HitAnchor = true;
                    line.Target = state.AnchorTarget;
                    line.AnchorIndex = state.AnchorCount - 1;
                    line.AnchorRect = {x + width, textBottom - size.Height, x + width + size.Width,
                                       textBottom};
                }
                width += size.Width;
                acceptedEndsInSpace = run.back() == ' ';
                trailingSpace = acceptedEndsInSpace ? canvas_.TextExtent(" ", state.Font).Width : 0;
                plain_ += run;
                pos = end;
                continue;
            }
            // 2. A tag.
            const std::size_t close = source.find('>', pos);
            const std::string tag(source.substr(
                pos + 1, close == std::string_view::npos ? std::string_view::npos : close - pos - 1));
            const std::size_t after = close == std::string_view::npos ? source.size() : close + 1;
            if (UpperCase(tag).rfind("LI", 0) == 0 && ++listItems > 1)
                break;  // a second item starts the next line
            lineEnds = ApplyTag(state, tag, mode, x, width, rect, line);
            pos = after;
        }
        line.Consumed = pos;
        line.Width = std::max(0, width - trailingSpace);
        if (line.ImageAlign == 1) line.TextOffset = line.Height - g;
        if (line.ImageAlign == 2) line.TextOffset = (line.Height - g) / 2;
        return line;
    }

private:
    int RunBottom(const State& state, const TRect& rect, const THtmlSize& size) const
    {
        int bottom = rect.Bottom - textOffset_;
        if (state.Sub) bottom += size.Height / 4;
        if (state.Sup) bottom -= size.Height / 4;
        return bottom;
    }

    void PaintRun(State& state, const std::string& run, int x, const TRect& rect, const THtmlSize& size,
                  LineResult&)
    {
        const int bottom = RunBottom(state, rect, size);
        if (state.Shadow) {
            THtmlFont shadow = state.Font;
            shadow.Color = options_.ShadowColor;
            canvas_.DrawText(x + options_.ShadowOffset, bottom + options_.ShadowOffset, run, shadow, clNone);
        }
        canvas_.DrawText(x, bottom, run, state.Font, state.Background);
        if (state.ErrorLine)
            for (int px = x, up = 0; px < x + size.Width; px += 2, up ^= 1)
                canvas_.Line(px, bottom - 1 - up, px + 2, bottom - 1 - (up ^ 1), 0x0000FF);
    }

    bool Hovered(const State& state) const
    {
        return !options_.Hover || options_.HoverIndex == state.AnchorCount - 1;
    }

    // Applies one tag; true when it ends the line.
    // What a tag's handler works on; its result says whether the tag ends the line.
    struct TagCall {
        State& state;
        const std::string& tag;  // as written, for its attributes
        const std::string& up;   // upper case, for its name
        THtmlMode mode;
        int x;
        int& width;
        const TRect& rect;
        LineResult& line;
        bool Painting() const { return mode == THtmlMode::Paint; }
    };
    using TagHandler = bool (LineDrawer::*)(TagCall&);
    // A rule matches the whole name, or every name that starts with it; the first match wins and
    // unknown tags are dropped.
    struct TagRule {
        std::string_view Name;
        bool WholeName;
        TagHandler Apply;
    };
    static const std::array<TagRule, 22>& TagRules()
    {
        static constexpr std::array<TagRule, 22> kRules{{
            {"A", false, &LineDrawer::AnchorTag},      {"B", true, &LineDrawer::BoldTag},
            {"BL", false, &LineDrawer::BlinkTag},      {"BODY", false, &LineDrawer::BodyTag},
            {"BR", false, &LineDrawer::BreakTag},      {"E", false, &LineDrawer::ErrorTag},
            {"FONT", false, &LineDrawer::FontTag},     {"HI", false, &LineDrawer::HighlightTag},
            {"HR", false, &LineDrawer::RuleTag},       {"I", true, &LineDrawer::ItalicTag},
            {"IND", false, &LineDrawer::IndentTag},    {"IMG", false, &LineDrawer::ImageTag},
            {"LI", false, &LineDrawer::ListItemTag},   {"P", false, &LineDrawer::ParagraphTag},
            {"R", false, &LineDrawer::RotateTag},      {"S", true, &LineDrawer::StrikeTag},
            {"SUB", false, &LineDrawer::SubscriptTag}, {"SUP", false, &LineDrawer::SuperscriptTag},
            {"SH", false, &LineDrawer::ShadowTag},     {"U", true, &LineDrawer::UnderlineTag},
            {"UL", false, &LineDrawer::ListTag},       {"Z", false, &LineDrawer::HiddenTag},
        }};
        return kRules;
    }

    bool ApplyTag(State& state, const std::string& tag, THtmlMode mode, int x, int& width, const TRect& rect,
                  LineResult& line)
    {
        const std::string up = UpperCase(tag);
        if (up.empty()) return false;
        if (up[0] == '/') return CloseTag(state, up.substr(1), mode == THtmlMode::Paint);
        TagCall call{state, tag, up, mode, x, width, rect, line};
        const auto matches = [&](const TagRule& rule) {
            return rule.WholeName ? up == rule.Name : up.starts_with(rule.Name);
        };
        for (const TagRule& rule : TagRules())
            if (matches(rule)) return (this->*rule.Apply)(call);
        return false;
    }

    bool AnchorTag(TagCall& c)
    {
        c.state.Anchor = true;
        c.state.AnchorTarget = Attribute(c.tag, "", true);
        ++c.state.AnchorCount;
        if (Hovered(c.state)) {
            c.state.Font.Color = options_.Hover && options_.HoverFontColor != clNone ? options_.HoverFontColor
                                                                                     : options_.URLColor;
            if (c.Painting()) {
                c.state.Font.Style |= kHtmlUnderline;
                if (options_.HoverColor != clNone) c.state.Background = options_.HoverColor;
            }
        } else {
            c.state.Font.Color = options_.URLColor;
            if (c.Painting()) c.state.Font.Style |= kHtmlUnderline;
        }
        return false;
    }
    bool BoldTag(TagCall& c)
    {
        c.state.Font.Style |= kHtmlBold;
        return false;
    }
    bool BlinkTag(TagCall& c)
    {
        if (!options_.BlinkPhase) c.state.Font.Color = options_.EntryBrushColor;
        return false;
    }
    bool BodyTag(TagCall& c)
    {
        const std::string picture = Attribute(c.tag, "BACKGROUND", true);
        if (c.Painting() && !picture.empty()) TilePicture(picture);
        const std::string bg = Attribute(c.tag, "BGCOLOR");
        if (!bg.empty()) {
            const TColor color = HtmlColor(bg);
            if (c.Painting()) canvas_.FillRect(layout_, color);
            c.state.Background = color;
        }
        return false;
    }
    bool BreakTag(TagCall&)
    {
        plain_ += '\r';
        return true;
    }
    bool ErrorTag(TagCall& c)
    {
        c.state.ErrorLine = c.Painting();
        return false;
    }
    bool FontTag(TagCall& c)
    {
        ++c.state.OpenFonts;
        const std::string face = Attribute(c.tag, "FACE", true);
        if (!face.empty()) c.state.Font.Name = face;
        const std::string color = ColorAttribute(c.tag);
        if (!color.empty() && !options_.NoFontColorChange) c.state.Font.Color = HtmlColor(color);
        const std::string bg = Attribute(c.tag, "BGCOLOR");
        if (!bg.empty() && c.Painting()) {
            c.state.SavedBackgroundFont = c.state.Background;
            c.state.Background = HtmlColor(bg);
        }
        const std::string size = Attribute(c.tag, "SIZE");
        if (!size.empty()) {
            const int n = LeadingNumber(size);
            static constexpr std::array<int, 5> kSizes{8, 10, 12, 14, 16};
            c.state.Font.Size = n >= 1 && n <= 5 ? kSizes[static_cast<std::size_t>(n - 1)] : n;
        }
        return false;
    }
    bool HighlightTag(TagCall& c)
    {
        if (c.Painting()) {
            c.state.SavedColorHi = c.state.Font.Color;
            c.state.SavedBackgroundHi = c.state.Background;
            c.state.Font.Color = clSystemColor | 14;  // clHighlightText
            c.state.Background = clHighlight;
        }
        return false;
    }
    bool RuleTag(TagCall& c)
    {
        if (c.Painting())
            canvas_.Line(c.rect.Left, c.rect.Bottom + 1, c.rect.Right, c.rect.Bottom + 1, clBlack);
        return true;
    }
    bool ItalicTag(TagCall& c)
    {
        c.state.Font.Style |= kHtmlItalic;
        return false;
    }
    bool IndentTag(TagCall& c)
    {
        const int to = LeadingNumber(Attribute(c.tag, "X"));
        if (to > c.width) c.width = to;
        return false;
    }
    bool ImageTag(TagCall& c) { return Image(c.state, c.tag, c.mode, c.x, c.width, c.rect, c.line); }
    bool ListItemTag(TagCall& c)
    {
        State& state = c.state;
        c.width += kListIndent * state.ListLevel;
        if (c.Painting() && state.ListLevel > 0) {
            THtmlFont symbol = state.Font;
            symbol.Name = "Symbol";
            const std::string bullet = state.ListLevel % 2 ? "\xB7" : "o";
            canvas_.DrawText(
                c.x + c.width - kListIndent * state.ListLevel + (state.ListLevel - 1) * kListIndent,
                c.rect.Top + canvas_.TextExtent("gh", state.Font).Height, bullet, symbol, clNone);
        }
        return false;
    }
    bool ParagraphTag(TagCall& c)
    {
        const std::string align = Attribute(c.tag, "ALIGN");
        if (align.find("RIGHT") != std::string::npos) c.state.Align = 1;
        if (align.find("LEFT") != std::string::npos) c.state.Align = 0;
        if (align.find("CENTER") != std::string::npos) c.state.Align = 2;
        const std::string indent = Attribute(c.tag, "INDENT");
        if (!indent.empty()) c.state.Indent = LeadingNumber(indent);
        const std::string bg = Attribute(c.tag, "BGCOLOR");
        if (!bg.empty()) {
            c.state.SavedBackgroundP = c.state.Background;
            c.state.Background = HtmlColor(bg);
            if (c.Painting()) canvas_.FillRect(c.rect, c.state.Background);
        }
        return false;
    }
    bool RotateTag(TagCall& c)
    {
        c.state.SavedOrientation = c.state.Font.Orientation;
        c.state.Font.Orientation = LeadingNumber(Attribute(c.tag, "A")) * 10;
        return false;
    }
    bool StrikeTag(TagCall& c)
    {
        c.state.Font.Style |= kHtmlStrikeOut;
        return false;
    }
    bool SubscriptTag(TagCall& c)
    {
        c.state.Sub = true;
        return false;
    }
    bool SuperscriptTag(TagCall& c)
    {
        c.state.Sup = true;
        return false;
    }
    bool ShadowTag(TagCall& c)
    {
        c.state.Shadow = true;
        return false;
    }
    bool UnderlineTag(TagCall& c)
    {
        c.state.Font.Style |= kHtmlUnderline;
        return false;
    }
    bool ListTag(TagCall& c)
    {
        ++c.state.ListLevel;
        return true;
    }
    bool HiddenTag(TagCall& c)
    {
        c.state.Hidden = true;
        return false;
    }

    bool CloseTag(State& state, const std::string& up, bool paint)
    {
        if (up.empty()) return false;
        switch (up[0]) {
            case 'P':
                if (state.SavedBackgroundP)
                    state.Background = *std::exchange(state.SavedBackgroundP, std::nullopt);
                return true;
            case 'B':
                if (up == "B")
                    state.Font.Style &= ~kHtmlBold;
                else
                    state.Font.Color = base_.Color;
                return false;
            case 'I':
                state.Font.Style &= ~kHtmlItalic;
                return false;
            case 'U':
                if (up == "U")
                    state.Font.Style &= ~kHtmlUnderline;
                else if (state.ListLevel > 0)
                    --state.ListLevel;
                else
                    state.Font.Style &= ~kHtmlUnderline;
                return false;
            case 'L':
                return true;
            case 'S':
                if (up.size() > 1 && up[1] == 'U')
                    state.Sub = state.Sup = false;
                else if (up.size() > 1 && up[1] == 'H')
                    state.Shadow = false;
                else
                    state.Font.Style &= ~kHtmlStrikeOut;
                return false;
            case 'E':
                state.ErrorLine = false;
                return false;
            case 'H':
                if (paint && state.SavedColorHi) {
                    state.Font.Color = *std::exchange(state.SavedColorHi, std::nullopt);
                    state.Background = state.SavedBackgroundHi.value_or(state.Background);
                    state.SavedBackgroundHi.reset();
                }
                return false;
            case 'F':
                if (state.OpenFonts == 0) return false;  // nothing to close
                --state.OpenFonts;
                state.Font.Name = base_.Name;
                state.Font.Size = base_.Size;
                if (paint && !options_.NoFontColorChange) {
                    state.Font.Color = base_.Color;
                    if (state.SavedBackgroundFont)
                        state.Background = *std::exchange(state.SavedBackgroundFont, std::nullopt);
                }
                return false;
            case 'A':
                state.Anchor = false;
                state.Font.Style &= ~kHtmlUnderline;
                state.Font.Color = base_.Color;
                if (state.Background == options_.HoverColor && options_.HoverColor != clNone)
                    state.Background = clNone;
                return false;
            case 'R':
                state.Font.Orientation = state.SavedOrientation;
                return false;
            case 'Z':
                state.Hidden = false;
                return false;
            default:
                return false;
        }
    }

    bool Image(State& state, const std::string& tag, THtmlMode mode, int x, int& width, const TRect& rect,
               LineResult& line)
    {
        const std::string source = Attribute(tag, "SRC", true);
        if (source.empty()) return false;
        auto size = canvas_.PictureSize(source);
        if (!size) return false;  // an image that cannot be found takes no room
        const int w = LeadingNumber(Attribute(tag, "WIDTH")), h = LeadingNumber(Attribute(tag, "HEIGHT"));
        if (w >= 1 && h >= 1) *size = THtmlSize{w, h};
        const int limit = rect.Right - rect.Left;
        if (width + size->Width > limit && size->Width < limit && width > 0) return true;
        if (mode == THtmlMode::Paint)
            canvas_.DrawPicture(source,
                                {x + width, rect.Top, x + width + size->Width, rect.Top + size->Height});
        if (state.Anchor && options_.HitTest && options_.HitX >= x + width &&
            options_.HitX < x + width + size->Width && options_.HitY >= rect.Top &&
            options_.HitY < rect.Top + size->Height) {
            line.HitAnchor = true;
            line.Target = state.AnchorTarget;
            line.AnchorIndex = state.AnchorCount - 1;
            line.AnchorRect = {x + width, rect.Top, x + width + size->Width, rect.Top + size->Height};
        }
        width += size->Width;
        line.Height = std::max(line.Height, size->Height);
        const std::string align = UpperCase(tag);
        const std::size_t at = align.find("ALIGN");
        if (at != std::string::npos && align.find("\"TOP", at) != std::string::npos) line.ImageAlign = 1;
        if (at != std::string::npos && align.find("\"MIDDLE", at) != std::string::npos) line.ImageAlign = 2;
        return false;
    }

    void TilePicture(const std::string& source)
    {
        const auto size = canvas_.PictureSize(source);
        if (!size || size->Width <= 0 || size->Height <= 0) return;
        for (int y = layout_.Top; y < layout_.Bottom; y += size->Height)
            for (int x = layout_.Left; x < layout_.Right; x += size->Width)
                canvas_.DrawPicture(source, {x, y, x + size->Width, y + size->Height});
    }

    IHtmlCanvas& canvas_;
    const THtmlOptions& options_;
    const THtmlFont& base_;
    const TRect& layout_;
    int textOffset_ = 0;
    std::string& plain_;
};

}  // namespace

std::string PrepareMiniHtml(std::string text)
{
    if (text.size() > kMaxHtmlLength) text.resize(kMaxHtmlLength);
    if (text.find('&') != std::string::npos) {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kEntities{{
            {"&amp;", "&&"},
            {"&quot;", "\""},
            {"&sect;", "\xA7"},
            {"&permil;", "\x89"},
            {"&reg;", "\xAE"},
            {"&copy;", "\xA9"},
            {"&para;", "\xB6"},
            {"&trade;", "\x99"},
            {"&euro;", "\x80"},
        }};
        // The entities cannot overlap and only an "&" a replacement writes can start a new one, so
        // one pass that looks again at every "&" it writes ends where rounds of first occurrences
        // would, in linear rather than quadratic time.
        for (std::size_t i = 0; i < text.size();) {
            if (text[i] != '&') {
                ++i;
                continue;
            }
            bool replaced = false;
            for (const auto& [entity, by] : kEntities) {
                if (FindIgnoringCase(std::string_view(text).substr(i, entity.size()), entity) != 0) continue;
                text.replace(i, entity.size(), by);
                replaced = true;
                break;
            }
            if (!replaced) ++i;  // a replacement is looked at again: "&&" may start "&amp;" anew
        }
    }
    const std::size_t marker = text.find("<#");
    if (marker != std::string::npos) {
        const std::size_t close = text.find('>', marker);
        if (close != std::string::npos) text.erase(close, 1);
        text.erase(marker, 1);
    }
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n') continue;
        if (c == '\r')
            out += "<BR>";
        else
            out += c;
    }
    return out;
}

THtmlResult DrawMiniHtml(IHtmlCanvas& canvas, const std::string& text, TRect rect, THtmlMode mode,
                         const THtmlOptions& options, const THtmlFont& baseFont)
{
    THtmlResult result;
    std::string remaining = PrepareMiniHtml(text);
    rect.Left += 1;
    State state;
    state.Font = baseFont;
    std::string ignoredPlain;
    const int g0 = canvas.TextExtent("gh", baseFont).Height;
    int top = rect.Top;
    std::size_t pos = 0;
    while (pos < remaining.size()) {
        const std::string_view source = std::string_view(remaining).substr(pos);
        const int g = canvas.TextExtent("gh", state.Font).Height;
        State measured = state;
        LineDrawer measurer(canvas, options, baseFont, rect,
                            mode == THtmlMode::FirstPass ? result.PlainText : ignoredPlain);
        const LineResult line =
            measurer.Line(measured, source, rect.Left, {rect.Left, top, rect.Right, rect.Bottom},
                          THtmlMode::Measure, false);
        const std::size_t consumed = std::max<std::size_t>(line.Consumed, 1);  // always make progress
        int x = rect.Left;
        const int room = rect.Right - rect.Left - line.Width;
        if (measured.Align == 1 && rect.Right - line.Width > rect.Left) x = rect.Right - line.Width;
        if (measured.Align == 2 && room > 0) x = rect.Left + room / 2;
        x += measured.Indent;
        const int lineHeight = line.Height + line.SubExtra + line.SupExtra;
        if (mode != THtmlMode::FirstPass) {
            LineDrawer drawer(canvas, options, baseFont, rect, result.PlainText);
            const THtmlMode pass = mode == THtmlMode::Paint ? THtmlMode::Paint : THtmlMode::Measure;
            const LineResult drawn =
                drawer.Line(state, source.substr(0, consumed), x, {x, top, rect.Right, top + lineHeight},
                            pass, options.HitTest, line.TextOffset, rect.Right - rect.Left);
            if (drawn.HitAnchor && !result.OnAnchor) {
                result.OnAnchor = true;
                result.AnchorTarget = drawn.Target;
                result.AnchorRect = drawn.AnchorRect;
                result.AnchorIndex = drawn.AnchorIndex;
            }
        } else {
            state = measured;
        }
        result.Width = std::max(result.Width, line.Width);
        top += lineHeight;
        result.Height += lineHeight;
        pos += consumed;
        if (mode != THtmlMode::FirstPass && top + g > rect.Bottom) break;
    }
    result.Height = std::max(result.Height, g0);
    return result;
}

}  // namespace zelvora
