// Keeps the OpenMaya library non-empty until its sources arrive.
