"""MEL from Python."""

import _mayasim


def eval(source):
    """Runs MEL source and returns the value of its last command."""
    return _mayasim.mel(source)
