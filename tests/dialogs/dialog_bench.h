// The shared state a dialog model acts on, with small data sets loaded the
// way the Draw commands load them (the data panel read by GetData).
#pragma once

#include <memory>
#include <string>

#include "data/memory_data_panel.h"
#include "dialogs/dialog_context.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/long_work.h"
#include "support/scripted_message_box.h"

namespace qv::test {

struct DialogBench {
  Workspace workspace;
  MemoryDataPanel panel;
  ScriptedMessageBox messages;
  ImmediateWorkRunner work;

  DialogContext Context() { return {workspace, panel, messages}; }

  bool Load() {
    DataContext context{panel, workspace.settings, messages, work};
    return workspace.dataSet.GetData(context);
  }

  // A regular surface of nx x ny nodes, heights z = i + 2j over x = i, y = j.
  bool LoadRegularSurface(int nx, int ny) {
    panel.SetKindIndex(kRegularSurface);
    panel.SetText(1, CStr(nx));
    panel.SetText(2, CStr(ny));
    Long row = 1;
    for (int i = 0; i < nx; ++i) {
      for (int j = 0; j < ny; ++j) {
        panel.SetRow(row++, {CStr(i), CStr(j), CStr(i + 2 * j), CStr(j)});
      }
    }
    return Load();
  }

  // A regular volume of nx x ny x nz nodes, values v = i + j + k - 2.
  bool LoadRegularVolume(int nx, int ny, int nz) {
    workspace.settings.ViewCode = kViewCode4D;
    panel.SetKindIndex(kRegularVolume);
    panel.SetText(1, CStr(nx));
    panel.SetText(2, CStr(ny));
    panel.SetText(4, CStr(nz));
    Long row = 1;
    for (int i = 0; i < nx; ++i) {
      for (int j = 0; j < ny; ++j) {
        for (int k = 0; k < nz; ++k) {
          panel.SetRow(row++, {CStr(i), CStr(j), CStr(k), CStr(i + j + k - 2)});
        }
      }
    }
    return Load();
  }

  // Eight scattered surface points gridded onto 4 x 4 nodes over 0..3.
  bool LoadIrregularSurface() {
    panel.SetKindIndex(kIrregularSurface);
    panel.SetText(3, "8");
    panel.SetText(4, "4");
    panel.SetText(7, "4");
    panel.SetText(1, "0");
    panel.SetText(2, "3");
    panel.SetText(5, "0");
    panel.SetText(6, "3");
    const double points[8][3] = {{0, 0, 1}, {3, 0, 2}, {0, 3, 3},     {3, 3, 1},
                                 {1, 2, 2}, {2, 1, 3}, {1.5, 0.5, 2}, {0.5, 2.5, 1}};
    for (Long n = 0; n < 8; ++n) {
      panel.SetRow(n + 1, {FormatDouble(points[n][0]), FormatDouble(points[n][1]),
                           FormatDouble(points[n][2]), "0"});
    }
    return Load();
  }

  const Graph& GraphAt(Long position) const {
    return static_cast<const Graph&>(*workspace.allGraphs.Items.Item(position));
  }
};

}  // namespace qv::test
