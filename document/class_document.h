#pragma once

// The class description document: what the main window holds, saved as JSON and read back by the
// windows and by zandrel-gen.

#include <QByteArray>
#include <QByteArrayView>
#include <string>
#include <string_view>
#include <variant>

#include "classgen/class_description.h"
#include "core/output_text.h"

namespace zandrel {

// The "$id" of the document's schema, written as its "$schema".
inline constexpr std::string_view ClassDocumentSchema = "urn:zandrel:schema:class-description:1";

// The input the document describes, or the message that says what is wrong with it:
// "NAME:LINE:COLUMN: REASON" for faulty JSON, "NAME: REASON" for content refused (name is the
// file's path). Where given, outputPath receives the document's "OutputPath" (empty when absent):
// where the class was last built, as StoredOutputPath gives it.
std::variant<ClassInput, std::string> ReadClassDocument(QByteArrayView bytes,
                                                        const std::string& name,
                                                        std::string* outputPath = nullptr);

// The document for this input: "$schema" and "Format" first, then every key ReadClassDocument
// reads. Only member rows with some text are written, by their row number; "OutputPath" only
// when one is given.
QByteArray WriteClassDocument(const ClassInput& input, std::string_view outputPath = {});
// The same document given to the sink in blocks, so a Save writes it without holding it whole.
void WriteClassDocument(const ClassInput& input, const TextSink& sink,
                        std::string_view outputPath = {});

// The output path as a document at documentPath keeps it: relative to the document's folder when
// it lies below it, else absolute; absolute too for a document not saved yet (documentPath empty).
std::string StoredOutputPath(std::string_view documentPath, std::string_view outputPath);
// The path a stored output path names, for the document at documentPath (relative to its folder).
std::string ResolvedOutputPath(std::string_view documentPath, std::string_view storedPath);

}  // namespace zandrel
