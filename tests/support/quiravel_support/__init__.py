"""What the tests that drive the program from outside share: checks and waits (checks), the
windows' places and colours (geometry), the X display (desktop), the program's process
(process) and, for the accessibility tests, the accessibility bus (accessible, texts).

A script puts tests/support on its import path from its own location and imports from here;
see tests/README.md.
"""
