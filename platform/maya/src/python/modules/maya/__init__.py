"""Maya's Python package as the headless host provides it: maya.cmds, maya.mel and the
stereo rig helpers of Maya's stereo camera plug-in."""
