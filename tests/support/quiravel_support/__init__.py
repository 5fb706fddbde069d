"""What the Python tests and the benchmark share when they drive the program from outside.

    checks      Failure, check, wait_until (polls against a deadline), run_checked (a
                script's main: the checks under one deadline, the tally, the exit status)
    geometry    the five windows' sizes, places and controls in pixels from their twips, the
                corner windows' motion, the colours on screen; pure arithmetic
    desktop     the X display: the program's windows, pixels and screenshots, XTEST input
                (Input, also on a connection of one's own), the windows' recorded moves
    process     the program in a private environment, its process, whether it has taken in
                its input (wait_quiet), ending a process and what it started
    accessible  the accessibility bus: windows and controls by role and name, actions, waits
                with its event loop running (needs pyatspi)
    texts       the program's texts that the accessibility tests read back

A script run by /usr/bin/python3 puts this folder's parent on its import path from its own
place, and writes no byte code into the source tree:

    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

    from quiravel_support.checks import check, run_checked
    from quiravel_support.desktop import Desktop
    from quiravel_support.geometry import MainMenu, Screen, centre
"""
