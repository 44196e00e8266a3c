#!/usr/bin/env python3
"""Fails when the project's libraries need each other in a circle.

Two checks, over the link graph CMake writes at configure time (one line per library: its name,
its archive and the project libraries it links, comma-separated):

1. The declared graph has no cycle (a library that links, through any path, back to itself).
2. The code keeps to the declared graph: no library's object files need a symbol that only a
   project library outside what it links defines. Static libraries that call each other without
   saying so still link in most programs (the linker repeats them), so this is where a cycle
   that crept back into the code shows.

Usage: check_library_layers.py LINK_GRAPH_FILE
"""
import subprocess
import sys

# nm's kinds of a definition that only this object gives (weak and common definitions of inline
# functions and templates are in every object that uses them and tell nothing about layers).
STRONG = set("TDBRG")


def read_graph(path):
    graph, archives = {}, {}
    with open(path) as lines:
        for line in lines:
            fields = line.split()
            if not fields:
                continue
            name, archive = fields[0], fields[1]
            archives[name] = archive
            graph[name] = [dep for dep in (fields[2].split(",") if len(fields) > 2 else []) if dep]
    return graph, archives


def find_cycle(graph):
    """One cycle as a list of names (first == last), or None."""
    state, path = {}, []

    def visit(name):
        state[name] = "open"
        path.append(name)
        for dep in graph.get(name, []):
            if state.get(dep) == "open":
                return path[path.index(dep):] + [dep]
            if dep not in state:
                found = visit(dep)
                if found:
                    return found
        path.pop()
        state[name] = "done"
        return None

    for name in sorted(graph):
        if name not in state:
            found = visit(name)
            if found:
                return found
    return None


def closure(graph, name):
    seen, todo = set(), [name]
    while todo:
        for dep in graph.get(todo.pop(), []):
            if dep not in seen:
                seen.add(dep)
                todo.append(dep)
    return seen


def symbols(archive):
    """(strong definitions, all definitions, undefined references) of one static library."""
    output = subprocess.run(["nm", "--format=posix", archive], capture_output=True, text=True, check=True).stdout
    strong, defined, undefined = set(), set(), set()
    for line in output.splitlines():
        fields = line.split()
        if len(fields) < 2 or line.endswith(":"):
            continue  # an object file's heading
        name, kind = fields[0], fields[1]
        if kind == "U":
            undefined.add(name)
        elif kind.upper() in STRONG:
            strong.add(name)
            defined.add(name)
        else:
            defined.add(name)
    return strong, defined, undefined


def demangle(name):
    try:
        return subprocess.run(["c++filt", name], capture_output=True, text=True).stdout.strip() or name
    except OSError:
        return name


def undeclared_needs(graph, archives):
    """Lines 'A needs B (symbol)' for each pair where A's code needs B that A does not link."""
    tables = {name: symbols(archive) for name, archive in archives.items()}
    owners = {}
    for name, (strong, _, _) in tables.items():
        for symbol in strong:
            owners.setdefault(symbol, name)
    found = {}
    for name, (_, defined, undefined) in sorted(tables.items()):
        reachable = closure(graph, name)
        visible = set(defined)
        for dep in reachable:
            visible |= tables[dep][1] if dep in tables else set()
        for symbol in sorted(undefined - visible):
            owner = owners.get(symbol)
            if owner and owner != name and (name, owner) not in found:
                found[(name, owner)] = symbol
    return [f"{user} needs {owner} ({demangle(symbol)}) but does not link it"
            for (user, owner), symbol in sorted(found.items())]


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    graph, archives = read_graph(argv[1])
    cycle = find_cycle(graph)
    if cycle:
        print("libraries link each other in a circle: " + " -> ".join(cycle))
        return 1
    problems = undeclared_needs(graph, archives)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(graph)} libraries, no cycle, each needs only what it links")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
