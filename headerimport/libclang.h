#pragma once

// libclang, opened by its soname on the first call: zandrel-gen's other commands never map it and
// the LLVM library below it (tens of megabytes to relocate at every start).
//
// Each libclang function the import calls is named below; a call goes through a pointer looked up
// once where it stands. A function used but not listed fails to link, as libclang is not linked.
#include <clang-c/CXCompilationDatabase.h>
#include <clang-c/Index.h>

#include <optional>
#include <string>

namespace zandrel {

// Why libclang cannot be used, or nothing when it can (it is then loaded).
std::optional<std::string> LibClangMissing();

// The address of a libclang function; loads the library first. Throws std::runtime_error when it
// or the function is not there, which LibClangMissing() tells beforehand.
void* LibClangFunction(const char* name);

}  // namespace zandrel

// The macro's own name is not expanded again inside it, so ::name is libclang's declaration.
#define ZANDREL_LIBCLANG(name)                                                   \
  ([]() {                                                                        \
    static const auto function =                                                 \
        reinterpret_cast<decltype(&::name)>(::zandrel::LibClangFunction(#name)); \
    return function;                                                             \
  }())

#define clang_CXXConstructor_isDefaultConstructor \
  ZANDREL_LIBCLANG(clang_CXXConstructor_isDefaultConstructor)
#define clang_CXXMethod_isConst ZANDREL_LIBCLANG(clang_CXXMethod_isConst)
#define clang_CXXMethod_isDefaulted ZANDREL_LIBCLANG(clang_CXXMethod_isDefaulted)
#define clang_CXXMethod_isStatic ZANDREL_LIBCLANG(clang_CXXMethod_isStatic)
#define clang_CompilationDatabase_dispose ZANDREL_LIBCLANG(clang_CompilationDatabase_dispose)
#define clang_CompilationDatabase_fromDirectory \
  ZANDREL_LIBCLANG(clang_CompilationDatabase_fromDirectory)
#define clang_CompilationDatabase_getAllCompileCommands \
  ZANDREL_LIBCLANG(clang_CompilationDatabase_getAllCompileCommands)
#define clang_CompilationDatabase_getCompileCommands \
  ZANDREL_LIBCLANG(clang_CompilationDatabase_getCompileCommands)
#define clang_CompileCommand_getArg ZANDREL_LIBCLANG(clang_CompileCommand_getArg)
#define clang_CompileCommand_getDirectory ZANDREL_LIBCLANG(clang_CompileCommand_getDirectory)
#define clang_CompileCommand_getFilename ZANDREL_LIBCLANG(clang_CompileCommand_getFilename)
#define clang_CompileCommand_getNumArgs ZANDREL_LIBCLANG(clang_CompileCommand_getNumArgs)
#define clang_CompileCommands_dispose ZANDREL_LIBCLANG(clang_CompileCommands_dispose)
#define clang_CompileCommands_getCommand ZANDREL_LIBCLANG(clang_CompileCommands_getCommand)
#define clang_CompileCommands_getSize ZANDREL_LIBCLANG(clang_CompileCommands_getSize)
#define clang_Cursor_getArgument ZANDREL_LIBCLANG(clang_Cursor_getArgument)
#define clang_Cursor_getNumArguments ZANDREL_LIBCLANG(clang_Cursor_getNumArguments)
#define clang_Cursor_isAnonymous ZANDREL_LIBCLANG(clang_Cursor_isAnonymous)
#define clang_Cursor_isNull ZANDREL_LIBCLANG(clang_Cursor_isNull)
#define clang_EnumDecl_isScoped ZANDREL_LIBCLANG(clang_EnumDecl_isScoped)
#define clang_File_isEqual ZANDREL_LIBCLANG(clang_File_isEqual)
#define clang_createIndex ZANDREL_LIBCLANG(clang_createIndex)
#define clang_disposeDiagnostic ZANDREL_LIBCLANG(clang_disposeDiagnostic)
#define clang_disposeIndex ZANDREL_LIBCLANG(clang_disposeIndex)
#define clang_disposeString ZANDREL_LIBCLANG(clang_disposeString)
#define clang_disposeTokens ZANDREL_LIBCLANG(clang_disposeTokens)
#define clang_disposeTranslationUnit ZANDREL_LIBCLANG(clang_disposeTranslationUnit)
#define clang_equalCursors ZANDREL_LIBCLANG(clang_equalCursors)
#define clang_equalTypes ZANDREL_LIBCLANG(clang_equalTypes)
#define clang_getArrayElementType ZANDREL_LIBCLANG(clang_getArrayElementType)
#define clang_getCString ZANDREL_LIBCLANG(clang_getCString)
#define clang_getCXXAccessSpecifier ZANDREL_LIBCLANG(clang_getCXXAccessSpecifier)
#define clang_getCanonicalCursor ZANDREL_LIBCLANG(clang_getCanonicalCursor)
#define clang_getCanonicalType ZANDREL_LIBCLANG(clang_getCanonicalType)
#define clang_getCursorExtent ZANDREL_LIBCLANG(clang_getCursorExtent)
#define clang_getCursorKind ZANDREL_LIBCLANG(clang_getCursorKind)
#define clang_getCursorLocation ZANDREL_LIBCLANG(clang_getCursorLocation)
#define clang_getCursorSemanticParent ZANDREL_LIBCLANG(clang_getCursorSemanticParent)
#define clang_getCursorSpelling ZANDREL_LIBCLANG(clang_getCursorSpelling)
#define clang_getCursorType ZANDREL_LIBCLANG(clang_getCursorType)
#define clang_getDiagnostic ZANDREL_LIBCLANG(clang_getDiagnostic)
#define clang_getDiagnosticLocation ZANDREL_LIBCLANG(clang_getDiagnosticLocation)
#define clang_getDiagnosticSpelling ZANDREL_LIBCLANG(clang_getDiagnosticSpelling)
#define clang_getEnumConstantDeclUnsignedValue \
  ZANDREL_LIBCLANG(clang_getEnumConstantDeclUnsignedValue)
#define clang_getEnumConstantDeclValue ZANDREL_LIBCLANG(clang_getEnumConstantDeclValue)
#define clang_getEnumDeclIntegerType ZANDREL_LIBCLANG(clang_getEnumDeclIntegerType)
#define clang_getExpansionLocation ZANDREL_LIBCLANG(clang_getExpansionLocation)
#define clang_getFile ZANDREL_LIBCLANG(clang_getFile)
#define clang_getNumDiagnostics ZANDREL_LIBCLANG(clang_getNumDiagnostics)
#define clang_getPointeeType ZANDREL_LIBCLANG(clang_getPointeeType)
#define clang_getRangeEnd ZANDREL_LIBCLANG(clang_getRangeEnd)
#define clang_getRangeStart ZANDREL_LIBCLANG(clang_getRangeStart)
#define clang_getSpellingLocation ZANDREL_LIBCLANG(clang_getSpellingLocation)
#define clang_getTokenExtent ZANDREL_LIBCLANG(clang_getTokenExtent)
#define clang_getTokenSpelling ZANDREL_LIBCLANG(clang_getTokenSpelling)
#define clang_getTranslationUnitCursor ZANDREL_LIBCLANG(clang_getTranslationUnitCursor)
#define clang_getTypeDeclaration ZANDREL_LIBCLANG(clang_getTypeDeclaration)
#define clang_getTypeSpelling ZANDREL_LIBCLANG(clang_getTypeSpelling)
#define clang_isConstQualifiedType ZANDREL_LIBCLANG(clang_isConstQualifiedType)
#define clang_isCursorDefinition ZANDREL_LIBCLANG(clang_isCursorDefinition)
#define clang_isInvalidDeclaration ZANDREL_LIBCLANG(clang_isInvalidDeclaration)
#define clang_parseTranslationUnit2 ZANDREL_LIBCLANG(clang_parseTranslationUnit2)
#define clang_tokenize ZANDREL_LIBCLANG(clang_tokenize)
#define clang_visitChildren ZANDREL_LIBCLANG(clang_visitChildren)
