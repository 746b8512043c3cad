-- An analog clock for conky, drawn with cairo on conky's own ARGB window: a dial circle,
-- 12 ticks and the hour, minute and second hands, fitted to the window (200 x 200 px in
-- clock.conf). Called once per update through lua_draw_hook_pre.
require 'cairo'
pcall(require, 'cairo_xlib')

local function hand(cr, cx, cy, angle, length, width, r, g, b)
    cairo_set_line_width(cr, width)
    cairo_set_source_rgba(cr, r, g, b, 1)
    cairo_move_to(cr, cx, cy)
    cairo_line_to(cr, cx + length * math.sin(angle), cy - length * math.cos(angle))
    cairo_stroke(cr)
end

function conky_clock()
    if conky_window == nil then
        return
    end
    local w, h = conky_window.width, conky_window.height
    local surface = cairo_xlib_surface_create(conky_window.display, conky_window.drawable,
        conky_window.visual, w, h)
    local cr = cairo_create(surface)
    local cx, cy = w / 2, h / 2
    local radius = math.min(w, h) / 2 - 4

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND)
    cairo_arc(cr, cx, cy, radius, 0, 2 * math.pi)
    cairo_set_source_rgba(cr, 0.1, 0.1, 0.12, 0.75)
    cairo_fill_preserve(cr)
    cairo_set_line_width(cr, 3)
    cairo_set_source_rgba(cr, 0.9, 0.9, 0.9, 1)
    cairo_stroke(cr)

    cairo_set_line_width(cr, 3)
    for i = 0, 11 do
        local a = i * math.pi / 6
        cairo_move_to(cr, cx + (radius - 14) * math.sin(a), cy - (radius - 14) * math.cos(a))
        cairo_line_to(cr, cx + (radius - 4) * math.sin(a), cy - (radius - 4) * math.cos(a))
    end
    cairo_stroke(cr)

    local t = os.date('*t')
    local seconds = t.sec
    local minutes = t.min + seconds / 60
    local hours = t.hour % 12 + minutes / 60
    hand(cr, cx, cy, hours * math.pi / 6, radius * 0.5, 6, 1, 1, 1)
    hand(cr, cx, cy, minutes * math.pi / 30, radius * 0.75, 4, 1, 1, 1)
    hand(cr, cx, cy, seconds * math.pi / 30, radius * 0.85, 2, 1, 0.55, 0)

    cairo_destroy(cr)
    cairo_surface_destroy(surface)
end
