"""What clang itself finds in a header, from `clang++ -Xclang -ast-dump=json` on standard input.

One tab-separated line for each type the header defines (kind, qualified name, line, rows: data
members, methods and enumerators), each data member (its name with array bounds, its type where
clang knows it, or "?", and its default member initialiser as written, from clang's own range) and
each enumerator (its name and the value clang gives it), and each include not found.
"""
import json
import re
import sys

source = open(sys.argv[1], encoding="utf-8").read()
lines = []
last_line = [0]


def note_line(location):
    # The dump leaves out a location's line when it is the line of the one before.
    for where in (location.get("spellingLoc"), location.get("expansionLoc"), location):
        if where and "line" in where:
            last_line[0] = where["line"]


def walk_locations(node):
    """The line of the node's own location, after noting its locations in the dump's order."""
    note_line(node.get("loc", {}))
    line = last_line[0]
    note_line(node.get("range", {}).get("begin", {}))
    note_line(node.get("range", {}).get("end", {}))
    return line


def text_of(node):
    begin = node["range"]["begin"]
    end = node["range"]["end"]
    begin = begin.get("expansionLoc", begin)
    end = end.get("expansionLoc", end)
    return source[begin["offset"]:end["offset"] + end["tokLen"]]


def initialiser(field):
    if field.get("isInvalid"):
        return "?"  # what clang could not read, it cannot tell
    if not field.get("hasInClassInitializer"):
        return ""
    expression = field["inner"][-1]
    text = text_of(expression).strip()
    before = source[:expression["range"]["begin"]["offset"]].rstrip()
    # Braces without "=" are the initialiser's own; after "=" they are part of the value.
    if not before.endswith("=") and text.startswith("{") and text.endswith("}"):
        text = text[1:-1].strip()
    return text


def squeeze(text):
    return re.sub(r"\s+", "", text)


def visit(node, scope):
    line = walk_locations(node)
    kind = node.get("kind")
    if node.get("isImplicit"):
        return
    if kind == "NamespaceDecl":
        for child in node.get("inner", []):
            visit(child, scope + [node.get("name", "")])
        return
    defined = node.get("completeDefinition") if kind == "CXXRecordDecl" else "inner" in node
    if kind in ("CXXRecordDecl", "EnumDecl") and defined:
        name = "::".join(scope + [node.get("name", "(nameless)")])
        if kind == "EnumDecl":
            type_kind = "enum class" if node.get("scopedEnumTag") else "enum"
        else:
            type_kind = node["tagUsed"]
        children = node.get("inner", [])
        rows = sum(c.get("kind") in ("FieldDecl", "CXXMethodDecl", "EnumConstantDecl") and
                   not c.get("isImplicit") for c in children)
        lines.append(["type", type_kind, name, str(line), str(rows)])
        value = -1
        start = len(lines)
        for child in children:
            if child.get("kind") == "FieldDecl":
                walk_locations(child)
                visit_locations_only(child)
                qual = child.get("type", {}).get("qualType", "")
                bounds = "".join(re.findall(r"\[\d+\]", qual))
                known = "?" if child.get("isInvalid") else squeeze(re.sub(r"\[\d+\]", "", qual))
                lines.append(["field", name, child["name"] + bounds, known, initialiser(child)])
            elif child.get("kind") == "EnumConstantDecl":
                walk_locations(child)
                visit_locations_only(child)
                given = [c for c in child.get("inner", []) if c.get("kind") == "ConstantExpr"]
                value = int(given[0]["value"]) if given else value + 1
                lines.append(["enumerator", name, child["name"], str(value)])
            elif child.get("kind") in ("CXXRecordDecl", "EnumDecl"):
                visit(child, scope + [node.get("name", "")])
            else:
                walk_locations(child)
                visit_locations_only(child)
        # The lines of this type's own members first, then those of the types nested in it.
        own = lines[start:]
        members = [line for line in own if line[0] != "type" and line[1] == name]
        lines[start:] = members + [line for line in own if line not in members]
        return
    visit_locations_only(node)


def visit_locations_only(node):
    for child in node.get("inner", []):
        walk_locations(child)
        visit_locations_only(child)


for top in json.load(sys.stdin).get("inner", []):
    visit(top, [])
# The includes clang did not find, from its diagnostics (the second argument).
for diagnostic in open(sys.argv[2], encoding="utf-8"):
    found = re.match(r".*?:(\d+):\d+: fatal error: '(.*)' file not found", diagnostic)
    if found:
        lines.append(["missing", found.group(2), found.group(1)])
for line in lines:
    print("\t".join(line))
