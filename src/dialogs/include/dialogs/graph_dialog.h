// The property dialogs that add a graph of one kind: what they share, and the
// base of their models. OK checks the entries, makes the graph from the
// controls and adds it to both groups; Cancel adds nothing.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialogs/dialog_context.h"
#include "graphs/graph.h"
#include "scene/color.h"

namespace qv {

// Shared Controls
inline constexpr Long kRed = RGB(255, 0, 0);
inline constexpr Long kBlue = RGB(0, 0, 255);

// The entries of every colour-map list, in list order (the first is
// selected at first).
inline constexpr std::array<const char*, 5> kMapListNames = {"Rainbow", "Earth", "Fiery", "Marine",
                                                             "Grey"};
// The name a graph stores for map list position index ("RAINBOW", ...);
// "RAINBOW" for a position outside the list.
std::string StoredMapName(int index);
// Stores the name of map list position map in graph and loads that map.
void SetMap(Graph& graph, int map);

// The entries of the width and size lists: "1" to "8" (the Delaunay
// triangle width list "1" to "5").
inline constexpr int kWidthListCount = 8;
inline constexpr int kTriangleWidthListCount = 5;

// The colour-mode group of the graph dialogs: "Gradient" with a "1st Color"
// and a "2nd Color" swatch, "Single" with one swatch, "Colormap" with a map
// list; "Colormap" is selected at first.
struct ColorModeChoice {
  enum Mode { kGradient, kSingle, kColormap };
  Mode mode = kColormap;
  Long first = kRed;
  Long second = kBlue;
  Long single = kRed;
  // Position in the map list.
  int map = 0;
};

class GraphDialogModel {
 public:
  explicit GraphDialogModel(DialogContext context) : context_(context) {}
  virtual ~GraphDialogModel() = default;
  GraphDialogModel(const GraphDialogModel&) = delete;
  GraphDialogModel& operator=(const GraphDialogModel&) = delete;

  // The GraphType of the graph the dialog adds.
  virtual Long Kind() const = 0;
  // The dialog's caption ("3D Surface Properties", ...).
  virtual const char* Caption() const = 0;

  // OK: reads the controls into a new graph of the kind (steps from the data
  // panel's node counts). A refused entry (a number that does not read, an
  // interval of 0 or less, a level outside the data's range, an empty slice
  // range) shows "Illegal data exist." and returns false with nothing
  // created: the dialog stays open. Otherwise gives the graph the next ID,
  // triangulates the points when the kind needs it, adds the graph to
  // AllGraphs and ShownGraphs and returns true.
  bool Ok();
  // The graph the last accepted OK added.
  const std::shared_ptr<Graph>& Created() const { return created_; }

 protected:
  // Copies the controls into graph; false when an entry is refused (Refuse
  // has then shown the message).
  virtual bool Fill(Graph& graph) = 0;
  bool Refuse() { return RefuseEntry(context_.messages); }
  const DialogContext& Context() const { return context_; }

 private:
  DialogContext context_;
  std::shared_ptr<Graph> created_;
};

}  // namespace qv
