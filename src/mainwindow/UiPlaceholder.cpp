// Windows are added beside this file.
