#pragma once
// The editors' working copy and the five model arrays, which the model file routines read
// and write: externalize builds the arrays from the working copy, internalize builds (or, in
// import mode, extends) the working copy from arrays.

#include <string>

#include "designer/frmImpMeas/ImportTranslations.h"
#include "designer/frmMain/EditorState.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

// The model change digest of the arrays: the writer run in digest mode with the editors'
// reader/writer debug mask and requested points. Nothing is written; the arrays get their
// file identifiers, as after every write.
std::string strChecksumGet(const EditorState& editors, TArrDimensions& dimensions,
                           TArrCategories& categories, TArrIrregularities& irregularities,
                           TArrMeasureValues& values, TArrMeasures& measures);

// Rebuilds the five arrays from the working copy and sets `checksum` to their digest; with
// the array debug mask set, the arrays are appended under the caption to the log file in
// the program folder (a log that cannot be written is reported and changes nothing else).
// False, with a "Sorry" message and the arrays untouched, when the measures grid holds what
// a model cannot: a total or global percentage that is not a number, or a weighted
// measure whose source measure or weighting dimension names nothing in the model.
bool nulExternalizeReaderWriterArrays(EditorState& editors, TArrDimensions& dimensions,
                                      TArrCategories& categories, std::string& checksum,
                                      const std::string& logCaption, const std::string& logFileName,
                                      TArrIrregularities& irregularities, TArrMeasureValues& values,
                                      TArrMeasures& measures);

// Builds the working copy from the arrays: outside import mode it replaces the tree and the
// measures grid, and `checksum` becomes the digest of the arrays as given; in import mode
// the included dimensions join the tree (renamed, recoded and cut to their category limit as
// the dimension translation says) and every measure row takes its values from the imported
// measure the measure translation assigns to it, or defaults. The arrays are empty
// afterwards and the status bar tells how many records they held.
// False, with a message and nothing changed, for arrays the tree cannot show: a category of
// no dimension, or a level outside 1..128 or more than one below the category before it.
bool nulInternalizeReaderWriterArrays(EditorState& editors, TArrDimensions& dimensions,
                                      TArrCategories& categories, std::string& checksum,
                                      const TArrImportMeasuresTranslation& measureTranslation,
                                      const TArrImportDimensionsTranslation& dimensionTranslation,
                                      bool importMode, const std::string& logCaption,
                                      const std::string& logFileName,
                                      TArrIrregularities& irregularities, TArrMeasureValues& values,
                                      TArrMeasures& measures);

// The same over one set of arrays.
std::string strChecksumGet(const EditorState& editors, ModelArrays& model);
bool nulExternalizeReaderWriterArrays(EditorState& editors, ModelArrays& model,
                                      std::string& checksum, const std::string& logCaption,
                                      const std::string& logFileName);
bool nulInternalizeReaderWriterArrays(EditorState& editors, ModelArrays& model,
                                      std::string& checksum,
                                      const TArrImportMeasuresTranslation& measureTranslation,
                                      const TArrImportDimensionsTranslation& dimensionTranslation,
                                      bool importMode, const std::string& logCaption,
                                      const std::string& logFileName);

// Small routines of the conversions.
// The first non-empty text, or the empty text.
std::string strFirstNonEmpty(std::initializer_list<std::string> texts);
// The value's shortest text when it is at least 0, else the default.
std::string strFloatOrDefault(double value, const std::string& otherwise);
std::string strIntOrDefault(long long value, const std::string& otherwise);
// `text` when the index is at least 0, else `otherwise`.
std::string strTextIfIndex(int index, const std::string& text, const std::string& otherwise);

// The arrays appended to the log under the caption; a log that cannot be written is reported.
void nulArraysLogAppend(const EditorState& editors, const std::string& path,
                        const std::string& caption, const TArrDimensions& dimensions,
                        const std::string& checksum, const TArrIrregularities& irregularities,
                        const TArrMeasureValues& values, const TArrMeasures& measures,
                        const TArrCategories& categories);

}  // namespace vantorell
