// Application object of the desktop program (to come).
