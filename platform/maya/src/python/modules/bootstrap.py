# Makes the host's built-in Python modules importable. Runs once when the interpreter starts,
# with `sources` bound to {module name: (is package, source text)}.
import importlib.abc
import importlib.util
import linecache
import sys


class _EmbeddedFinder(importlib.abc.MetaPathFinder, importlib.abc.Loader):
    def __init__(self, modules):
        self._modules = modules

    def find_spec(self, fullname, path=None, target=None):
        if fullname not in self._modules:
            return None
        is_package = self._modules[fullname][0]
        return importlib.util.spec_from_loader(fullname, self, is_package=is_package)

    def create_module(self, spec):
        return None

    def exec_module(self, module):
        source = self._modules[module.__name__][1]
        filename = "<mayasim>/" + module.__name__.replace(".", "/") + ".py"
        module.__file__ = filename
        # Lets tracebacks show the lines of these modules although they have no file.
        linecache.cache[filename] = (len(source), None, source.splitlines(True), filename)
        exec(compile(source, filename, "exec"), module.__dict__)


sys.meta_path.insert(0, _EmbeddedFinder(sources))
