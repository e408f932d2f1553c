"""Every registered command as a Python function.

Commands are looked up when used, not when this module is imported, so commands that a
plug-in registers later appear here too and disappear again when it is unloaded.
Keyword arguments become flags through the command's syntax; positional arguments are the
command's objects.
"""

import _mayasim


def __getattr__(name):
    if name.startswith("__") or not _mayasim.has_command(name):
        raise AttributeError(f"module 'maya.cmds' has no attribute '{name}'")
    return _command(name)


def __dir__():
    return sorted(set(globals()) | set(_mayasim.command_names()))


def _command(name):
    def run(*args, **flags):
        return _mayasim.invoke(name, _arguments(name, args, flags))

    run.__name__ = run.__qualname__ = name
    run.__doc__ = f"Runs the '{name}' command."
    return run


def _arguments(name, args, flags):
    syntax = _mayasim.syntax(name)
    if syntax is None:
        return _pass_through(args, flags)
    flag_table, _, _ = syntax
    # optionVar(q="name") queries the variable "name", as in Maya's Python commands.
    queried = [flags[key] for key in ("q", "query") if isinstance(flags.get(key), str)]
    args = tuple(args) + tuple(queried)
    query = _pop_mode(flags, "q", "query")
    words = []
    if query:
        words.append("-q")
    if _pop_mode(flags, "e", "edit"):
        words.append("-e")
    for key, value in flags.items():
        flag = _find_flag(flag_table, key)
        if flag is None:
            raise TypeError(f"Invalid flag '{key}'")
        words.extend(_flag_words(key, flag, value, query))
    words.extend(_objects(args))
    return words


def _pass_through(args, flags):
    # Without a syntax nothing says what a keyword means: "-key" followed by its value(s).
    words = []
    for key, value in flags.items():
        words.append("-" + key)
        words.extend(_objects([value]))
    words.extend(_objects(args))
    return words


def _pop_mode(flags, short, long):
    value = False
    for key in (short, long):
        if key in flags:
            value = bool(flags.pop(key)) or value
    return value


def _find_flag(flag_table, key):
    for flag in flag_table:
        short, long = flag[0].lstrip("-"), flag[1].lstrip("-")
        if key in (short, long):
            return flag
    return None


def _flag_words(key, flag, value, query):
    short, long, types, multi = flag
    name = long or short
    words = []
    for use in _uses(value, types, multi):
        if not types or (query and use is True):
            if use is not False:
                words.append(name)
            continue
        values = tuple(use) if isinstance(use, (list, tuple)) else (use,)
        if len(values) != len(types):
            raise TypeError(f"Flag '{key}' takes {len(types)} argument(s), got {len(values)}")
        words.append(name)
        words.extend(_as_type(kind, item) for kind, item in zip(types, values))
    return words


def _uses(value, types, multi):
    if not multi or not isinstance(value, list):
        return [value]
    if len(types) <= 1 or all(isinstance(use, (list, tuple)) for use in value):
        return value
    return [value]


def _as_type(kind, value):
    # Python's loose numbers are made to fit the flag, so that 1 works for a double flag
    # and 2.0 for an int flag; anything else goes on as given and the command decides.
    if kind == "string" and isinstance(value, (int, float)) and not isinstance(value, bool):
        return str(value)
    if kind == "double" and isinstance(value, int) and not isinstance(value, bool):
        return float(value)
    if kind == "int" and isinstance(value, float) and value.is_integer():
        return int(value)
    if kind == "bool" and isinstance(value, int):
        return bool(value)
    return value


def _objects(args):
    words = []
    for arg in args:
        if isinstance(arg, (list, tuple)):
            words.extend(arg)
        else:
            words.append(arg)
    return words
