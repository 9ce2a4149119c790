// PDF goes through cairo's PDF surface, which writes compact, well-formed
// files and takes care of compression and the page tree.
#include "vector_files.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <memory>

namespace linvale {

namespace {

// Page pixels are 1/96 inch, PDF points 1/72.
constexpr double kPointsPerPixel = 72.0 / 96.0;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

double Clamped(double fraction) { return std::clamp(fraction, 0.0, 1.0); }

void TracePolygon(cairo_t* cr, const std::vector<NprPagePoint>& points, bool closed) {
  cairo_new_path(cr);
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i == 0) {
      cairo_move_to(cr, points[i].x, points[i].y);
    } else {
      cairo_line_to(cr, points[i].x, points[i].y);
    }
  }
  if (closed) {
    cairo_close_path(cr);
  }
}

void DrawFills(cairo_t* cr, const std::vector<NprVectorFill>& fills) {
  cairo_set_line_width(cr, 0.5);
  for (const NprVectorFill& fill : fills) {
    cairo_set_source_rgb(cr, Clamped(fill.colour[0]), Clamped(fill.colour[1]), Clamped(fill.colour[2]));
    TracePolygon(cr, fill.corners, true);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
  }
}

void DrawPath(cairo_t* cr, const NprVectorPath& path) {
  const NprVectorStroke& stroke = path.stroke;
  cairo_set_source_rgba(cr, Clamped(stroke.colour[0]), Clamped(stroke.colour[1]), Clamped(stroke.colour[2]),
                        Clamped(stroke.alpha));
  cairo_set_line_width(cr, stroke.width);
  if (stroke.dashed) {
    const double dash = std::max(2.0, stroke.width * 4.0);
    const double pattern[] = {dash, dash * 0.75};
    cairo_set_dash(cr, pattern, 2, 0.0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0.0);
  }
  TracePolygon(cr, path.points, path.closed);
  cairo_stroke(cr);
}

}  // namespace

std::string WritePdfFile(const NprVectorDrawing& drawing, const std::string& path) {
  const Surface surface(
      cairo_pdf_surface_create(path.c_str(), drawing.width * kPointsPerPixel, drawing.height * kPointsPerPixel));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return "cannot create '" + path + "': " + cairo_status_to_string(cairo_surface_status(surface.get()));
  }
  {
    const Context context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    cairo_scale(cr, kPointsPerPixel, kPointsPerPixel);
    cairo_set_source_rgb(cr, Clamped(drawing.background[0]), Clamped(drawing.background[1]),
                         Clamped(drawing.background[2]));
    cairo_paint(cr);
    DrawFills(cr, drawing.fills);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const NprVectorGroup& group : drawing.groups) {
      for (const NprVectorPath& p : group.paths) {
        DrawPath(cr, p);
      }
    }
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
      return std::string("cannot draw the page: ") + cairo_status_to_string(cairo_status(cr));
    }
  }
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return "cannot write '" + path + "': " + cairo_status_to_string(cairo_surface_status(surface.get()));
  }
  return {};
}

}  // namespace linvale
