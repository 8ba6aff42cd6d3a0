// The File menu's data exchange: Import Data ..., Output Data ... and Output
// Gridded Data .... They read and write text data files (text_data.h)
// through the window's DocumentHost; none of them touches the graphs or the
// data set the graphs are drawn from.
#pragma once

#include <string>

namespace qv {

class DocumentHost;
struct Workspace;

inline constexpr char kTextDataFilter[] = "(*.txt)|*.txt";

class DataFileCommands {
 public:
  // Both must outlive the commands.
  DataFileCommands(Workspace& workspace, DocumentHost& host);

  // File > Import Data ...: asks for a file ("Open") and reads it into the
  // data panel and sheet. A cancelled dialog does nothing.
  void Import();
  // Reads the text data file at path into the data kind, the size boxes
  // and the sheet (sized as OK sizes it, then filled). A file that cannot be
  // read or that ReadTextData refuses is reported and changes nothing.
  // Returns whether the file was taken.
  bool ImportFile(const std::string& path);
  // File > Output Data ...: checks the panel (ValidateGridInput, with its
  // message), asks for a file ("Output") and writes the panel and sheet
  // there, replacing the file whole or not at all (a failure is reported).
  void Output();
  // File > Output Gridded Data ...: grids the panel's irregular data into a
  // data set of its own (the document's data set and graphs keep theirs),
  // stopping with the gridding's message when it fails, then asks for a
  // file and writes the grid as Output does. Nothing for regular kinds.
  void OutputGridded();

 private:
  bool Write(const std::string& text);
  void ShowError(const std::string& text);

  Workspace& workspace_;
  DocumentHost& host_;
};

}  // namespace qv
