#include "ui/TextLayout.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <map>
#include <memory>

#include "platform/GLibHandles.h"
#include "ui/Accelerators.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

constexpr double kDefaultEmPixels = 11.0;

using LayoutPtr = platform::GObjectPtr<PangoLayout>;
using platform::PangoFontDescriptionPtr;

// One pango context per thread with fixed font options and 96 dpi.
PangoContext* SharedContext() {
    thread_local PangoContext* context = [] {
        PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
        const platform::CairoFontOptionsPtr options(cairo_font_options_create());
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(c, options.get());
        pango_cairo_context_set_resolution(c, kScreenPixelsPerInch);
        return c;
    }();
    return context;
}

PangoFontDescriptionPtr Describe(const TFont& font, double emPixels) {
    PangoFontDescriptionPtr d(pango_font_description_new());
    pango_font_description_set_family(d.get(), font.Name.empty() ? "Sans" : font.Name.c_str());
    pango_font_description_set_weight(
        d.get(), (font.Style & fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(
        d.get(), (font.Style & fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d.get(), emPixels * PANGO_SCALE);
    return d;
}

// Negative heights are the character (em) height; positive ones the cell height, which is
// converted through the font's ascent + descent.
double EmPixels(const TFont& font) {
    if (font.Height < 0) return -static_cast<double>(font.Height);
    if (font.Height == 0) return kDefaultEmPixels;
    thread_local std::map<std::pair<std::string, int>, double> cellPerEm;
    const auto key = std::make_pair(font.Name, font.Style & (fsBold | fsItalic));
    auto it = cellPerEm.find(key);
    if (it == cellPerEm.end()) {
        constexpr double kProbe = 1000.0;
        PangoFontDescriptionPtr d = Describe(font, kProbe);
        const platform::PangoFontMetricsPtr m(
            pango_context_get_metrics(SharedContext(), d.get(), nullptr));
        const double cell = static_cast<double>(pango_font_metrics_get_ascent(m.get()) +
                                                pango_font_metrics_get_descent(m.get())) /
                            PANGO_SCALE;
        it = cellPerEm.emplace(key, cell > 0 ? cell / kProbe : 1.0).first;
    }
    return font.Height / it->second;
}

LayoutPtr MakeLayout(const TFont& font, const std::string& utf8, int32_t accelerator) {
    LayoutPtr layout(pango_layout_new(SharedContext()));
    PangoFontDescriptionPtr d = Describe(font, EmPixels(font));
    pango_layout_set_font_description(layout.get(), d.get());
    const platform::GCharPtr valid(
        g_utf8_make_valid(utf8.data(), static_cast<gssize>(utf8.size())));
    pango_layout_set_text(layout.get(), valid.get(), -1);
    const platform::PangoAttrListPtr attrs(pango_attr_list_new());
    if (font.Style & fsUnderline)
        pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.Style & fsStrikeOut)
        pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
    const auto length = static_cast<int32_t>(strlen(valid.get()));
    if (accelerator >= 0 && accelerator < length) {
        PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        a->start_index = static_cast<guint>(accelerator);
        a->end_index =
            static_cast<guint>(g_utf8_next_char(valid.get() + accelerator) - valid.get());
        pango_attr_list_insert(attrs.get(), a);
    }
    pango_layout_set_attributes(layout.get(), attrs.get());
    return layout;
}

// A cairo context on the bitmap, clipped to device rectangles. Keeps the device box of
// what was drawn so the unused high byte of touched pixels can be cleared afterwards.
class CairoOnBitmap {
public:
    CairoOnBitmap(TBitmap& target, const std::vector<TRect>& clip) : target_(target), clip_(clip) {
        surface_ = target.Surface();
        cairo_surface_mark_dirty(surface_);
        cr_.reset(cairo_create(surface_));
        for (const TRect& r : clip)
            cairo_rectangle(cr_.get(), r.Left, r.Top, r.Width(), r.Height());
        cairo_clip(cr_.get());
        pango_cairo_update_context(cr_.get(), SharedContext());
    }
    ~CairoOnBitmap() {
        cr_.reset();  // drawing ends before the surface is flushed
        cairo_surface_flush(surface_);
        pango_context_set_matrix(SharedContext(), nullptr);
        for (const TRect& c : clip_) {
            const TRect r = IntersectRect(c, touched_);
            for (int32_t y = r.Top; y < r.Bottom; ++y) {
                uint32_t* row = target_.ScanLine(y);
                for (int32_t x = r.Left; x < r.Right; ++x) row[x] &= 0x00FFFFFF;
            }
        }
    }
    CairoOnBitmap(const CairoOnBitmap&) = delete;
    CairoOnBitmap& operator=(const CairoOnBitmap&) = delete;

    [[nodiscard]] cairo_t* Cr() const { return cr_.get(); }
    // Notes a user-space rectangle as touched (with a margin for antialiasing).
    void Touch(double x, double y, double w, double h) {
        const double xs[] = {x, x + w}, ys[] = {y, y + h};
        for (double px : xs) {
            for (double py : ys) {
                double dx = px, dy = py;
                cairo_user_to_device(cr_.get(), &dx, &dy);
                const TRect p{static_cast<int32_t>(std::floor(dx)) - 2,
                              static_cast<int32_t>(std::floor(dy)) - 2,
                              static_cast<int32_t>(std::ceil(dx)) + 2,
                              static_cast<int32_t>(std::ceil(dy)) + 2};
                touched_ = UnionRect(touched_, p);
            }
        }
    }
    void SetColor(uint32_t pixel) const {
        cairo_set_source_rgb(Cr(), ((pixel >> 16) & 0xFF) / 255.0, ((pixel >> 8) & 0xFF) / 255.0,
                             (pixel & 0xFF) / 255.0);
    }
    void FillBox(double x, double y, double w, double h, uint32_t pixel) {
        cairo_t* cr = cr_.get();
        cairo_save(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        SetColor(pixel);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_restore(cr);
        Touch(x, y, w, h);
    }

private:
    TBitmap& target_;
    const std::vector<TRect>& clip_;
    cairo_surface_t* surface_ = nullptr;
    platform::CairoPtr cr_;
    TRect touched_{};
};

uint32_t FontPixel(const TFont& font) { return ColorToPixel(ColorToRGB(font.Color)); }

TSize LayoutSize(PangoLayout* layout) {
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    return {w, h};
}

}  // namespace

TSize MeasureText(const TFont& font, const std::string& utf8) {
    if (utf8.empty()) {
        // An empty text is as high as the font's line.
        LayoutPtr layout = MakeLayout(font, " ", -1);
        return {0, LayoutSize(layout.get()).cy};
    }
    LayoutPtr layout = MakeLayout(font, utf8, -1);
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    return LayoutSize(layout.get());
}

TSize DrawTextLine(TBitmap& target, const TFont& font, int32_t x, int32_t y,
                   const std::string& utf8, std::optional<uint32_t> background,
                   const std::vector<TRect>& clip) {
    LayoutPtr layout = MakeLayout(font, utf8, -1);
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    const TSize size = LayoutSize(layout.get());
    if (clip.empty() || utf8.empty() || target.Empty()) return size;
    CairoOnBitmap canvas(target, clip);
    cairo_t* cr = canvas.Cr();
    cairo_translate(cr, x, y);
    if (font.Orientation % 3600 != 0) cairo_rotate(cr, -font.Orientation * M_PI / 1800.0);
    pango_cairo_update_layout(cr, layout.get());
    if (background) canvas.FillBox(0, 0, size.cx, size.cy, *background);
    PangoRectangle ink{}, logical{};
    pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
    canvas.Touch(ink.x, ink.y, ink.width, ink.height);
    canvas.Touch(logical.x, logical.y, logical.width, logical.height);
    canvas.SetColor(FontPixel(font));
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout.get());
    return size;
}

TSize FormatText(TBitmap* target, const TFont& font, const std::string& utf8, const TRect& rect,
                 uint32_t flags, std::optional<uint32_t> background,
                 const std::vector<TRect>& clip) {
    std::string text = utf8;
    if (flags & DT_SINGLELINE) std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    int32_t accelerator = -1;
    if (!(flags & DT_NOPREFIX)) {
        THotkeyText stripped = SplitHotkey(text);
        accelerator = stripped.hotkeyOffset;
        text = std::move(stripped.text);
    }
    LayoutPtr layout = MakeLayout(font, text.empty() ? std::string(" ") : text, accelerator);
    const int32_t width = rect.Width();
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE) && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
    }
    if ((flags & DT_END_ELLIPSIS) && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    }
    TSize size = LayoutSize(layout.get());
    if (text.empty()) size.cx = 0;
    if (target == nullptr || clip.empty() || text.empty() || target->Empty()) return size;

    int32_t top = rect.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = rect.Top + (rect.Height() - size.cy) / 2;
        else if (flags & DT_BOTTOM)
            top = rect.Bottom - size.cy;
    }
    CairoOnBitmap canvas(*target, clip);
    cairo_t* cr = canvas.Cr();
    pango_layout_context_changed(layout.get());
    const platform::PangoLayoutIterPtr iterOwner(pango_layout_get_iter(layout.get()));
    PangoLayoutIter* iter = iterOwner.get();
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle lineRect{};
        pango_layout_iter_get_line_extents(iter, nullptr, &lineRect);
        PangoRectangle ink{}, logical{};
        pango_layout_line_get_pixel_extents(line, &ink, &logical);
        int32_t x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (width - logical.width) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - logical.width;
        const int32_t lineTop = top + PANGO_PIXELS(lineRect.y);
        const int32_t lineHeight = PANGO_PIXELS(lineRect.height);
        const int32_t baseline = top + PANGO_PIXELS(pango_layout_iter_get_baseline(iter));
        if (background) canvas.FillBox(x, lineTop, logical.width, lineHeight, *background);
        canvas.Touch(x + ink.x, baseline + ink.y, ink.width, ink.height);
        canvas.Touch(x, lineTop, logical.width, lineHeight);
        canvas.SetColor(FontPixel(font));
        cairo_move_to(cr, x - logical.x, baseline);
        pango_cairo_show_layout_line(cr, line);
    } while (pango_layout_iter_next_line(iter));
    if (flags & DT_SINGLELINE && (flags & (DT_VCENTER | DT_BOTTOM))) size.cy += top - rect.Top;
    return size;
}
